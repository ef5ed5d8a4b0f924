#include "screens/StepScreenDelegate.h"

#include "screens/AlertDialog.h"
#include "steps/WorkflowPresentationError.h"
#include "taskscreens/ORKStepViewController.h"

namespace pathloom {

void StepScreenDelegate::addResult(std::shared_ptr<ORKResult> result) {
    m_screen.addResult(std::move(result));
}

void StepScreenDelegate::goForward() { m_screen.goForward(); }

void StepScreenDelegate::goBackward() { m_screen.goBackward(); }

void StepScreenDelegate::showError(const Error& error) { AlertDialog::showError(&m_screen, error); }

void StepScreenDelegate::confirm(const Confirmation& confirmation,
                                 std::function<void(bool)> answer) {
    AlertDialog::showConfirmation(&m_screen, confirmation, std::move(answer));
}

void StepScreenDelegate::presentWorkflow(
    const QString& name, std::function<void(ORKTaskViewControllerFinishReason)> /*completion*/) {
    showError(WorkflowPresentationError::workflowNotFound(name));
}

}  // namespace pathloom
