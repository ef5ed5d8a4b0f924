#pragma once

#include "screens/StepScreenDelegate.h"
#include "steps/SimulatedNetworkStepController.h"
#include "taskscreens/ORKWaitStepViewController.h"

namespace pathloom {

// The screen of a simulated network step: waits the step's interval each time it appears, then
// moves on.
class PathloomSimulateNetworkViewController : public ORKWaitStepViewController,
                                              public StepScreenDelegate {
    Q_OBJECT

public:
    PathloomSimulateNetworkViewController(std::shared_ptr<ORKStep> step,
                                          ORKTaskViewController& task, QWidget* parent = nullptr);

    void viewWillAppear() override;

private:
    SimulatedNetworkStepController m_controller;
};

}  // namespace pathloom
