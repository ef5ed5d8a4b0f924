#pragma once

#include "screens/PathloomButtonViewController.h"
#include "screens/StepScreenDelegate.h"

#include <memory>

namespace pathloom {

class EmailStepController;
class MailComposer;

// The screen of an e-mail step: "Open Email" gathers what the step asks for and hands the message
// to the mail composer, naming the messages after the step. While the files are prepared the
// button is disabled under the loading view. A sent message moves the task on; a failure shows
// the error alert and the screen stays, so that the user may try again.
//
// Main thread only. The composer outlives the screen.
class PathloomEmailViewController : public PathloomButtonViewController, public StepScreenDelegate {
    Q_OBJECT

public:
    PathloomEmailViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                MailComposer& composer);
    ~PathloomEmailViewController() override;

    void setLoading(bool loading) override;

private:
    std::shared_ptr<EmailStepController> m_controller;
};

}  // namespace pathloom
