#include "screens/PathloomEmailViewController.h"

#include "screens/LoadingStateView.h"
#include "steps/EmailStepController.h"
#include "steps/MailComposer.h"
#include "taskmodel/ORKStep.h"
#include "taskscreens/ORKContinueButton.h"

namespace pathloom {

using namespace Qt::StringLiterals;

PathloomEmailViewController::PathloomEmailViewController(std::shared_ptr<ORKStep> step,
                                                         ORKTaskViewController& task,
                                                         MailComposer& composer)
    : PathloomButtonViewController(step, task),
      StepScreenDelegate(static_cast<ORKStepViewController&>(*this)) {
    if (auto email = std::dynamic_pointer_cast<PathloomEmailStep>(step)) {
        m_controller = EmailStepController::create(std::move(email), *this, composer);
    }
    configureWithTitle(step->title.value_or(QString()), tr("Tap below to open email."),
                       tr("Open Email"), [this, &composer] {
                           if (!m_controller) {
                               return;
                           }
                           composer.nameMessagesAfter(m_controller->step()->identifier);
                           m_controller->openEmail();
                       });
}

PathloomEmailViewController::~PathloomEmailViewController() = default;

void PathloomEmailViewController::setLoading(bool loading) {
    button()->setEnabled(!loading);
    loadingView()->setVisible(loading);
}

}  // namespace pathloom
