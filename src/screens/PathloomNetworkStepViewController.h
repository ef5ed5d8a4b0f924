#pragma once

#include "screens/StepScreenDelegate.h"
#include "steps/NetworkStepController.h"
#include "taskscreens/ORKWaitStepViewController.h"

#include <memory>

class QPushButton;

namespace pathloom {

// The screen of a network step: posts the session once the screen first appears, shows the
// progress from 0 to 1, and moves on with the server's answer as the step's result. A failure
// opens the error alert and then offers "Try Again", which posts again: where the task hides its
// back button (tabs, the primary workflow) the user would otherwise be stuck.
class PathloomNetworkStepViewController : public ORKWaitStepViewController,
                                          public StepScreenDelegate {
    Q_OBJECT

public:
    PathloomNetworkStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                      QWidget* parent = nullptr);

    [[nodiscard]] bool isLoading() const { return m_loading; }
    [[nodiscard]] QPushButton* tryAgainButton() const { return m_tryAgain; }

    void viewWillAppear() override;

protected:
    void setLoading(bool loading) override;
    void showError(const Error& error) override;

private:
    void startLoading();

    QPushButton* m_tryAgain;
    bool m_loading = false;
    bool m_started = false;
    std::shared_ptr<NetworkStepController> m_controller;
};

}  // namespace pathloom
