#pragma once

#include "screens/WorkflowPresentationDelegate.h"
#include "shell/TaskScreens.h"
#include "taskscreens/ORKTaskViewController.h"

#include <optional>

class QAction;

namespace pathloom {

// The task screen that runs one workflow: for the primary style, for each tab, and for every
// workflow opened from a list, from a step or as the initial workflow. It opens its initial
// workflow once, when it first appears; offers the step's secondary workflows from the bar's
// right-hand button; and opens workflows by name for the pages that ask.
class PrimaryWorkflowStyleViewController : public ORKTaskViewController,
                                           public WorkflowPresentationDelegate {
    Q_OBJECT

public:
    PrimaryWorkflowStyleViewController(Workflow primaryWorkflow,
                                       std::optional<Workflow> initialWorkflow,
                                       TaskScreens::OnDismiss onDismiss, TaskScreens& screens,
                                       const StepScreenFactory& steps,
                                       WorkflowRunner::Nesting nesting, QWidget* parent = nullptr);

    // Called with the finish reason once the screen has been dismissed; may be empty.
    [[nodiscard]] const TaskScreens::OnDismiss& onDismiss() const { return m_onDismiss; }

    // Opens the workflow named exactly `name` over this screen; shows the error alert when no
    // workflow has that name.
    bool presentWorkflow(const QString& name, TaskScreens::OnDismiss onDismiss) override;

    void viewDidAppear() override;

protected:
    void stepViewControllerWillAppear(ORKStepViewController& step) override;

private:
    // The secondary workflows of the step shown now: one opens at once, several are offered.
    void more();
    [[nodiscard]] QList<qint64> secondaryWorkflowIDs() const;

    std::optional<Workflow> m_initialWorkflow;
    TaskScreens::OnDismiss m_onDismiss;
    TaskScreens& m_screens;
    QAction* m_moreAction;
};

}  // namespace pathloom
