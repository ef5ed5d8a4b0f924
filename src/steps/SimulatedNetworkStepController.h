#pragma once

#include "steps/StepControllerDelegate.h"
#include "taskmodel/ORKStep.h"

#include <QTimer>
#include <memory>
#include <vector>

namespace pathloom {

// What a simulated network step does while it is shown: waits as a server call would, then moves
// on without recording anything. Lives on the main thread; its waits end with it.
class SimulatedNetworkStepController {
public:
    static constexpr qint64 kDefaultInterval = 3;

    SimulatedNetworkStepController(std::shared_ptr<ORKStep> step, StepControllerDelegate& delegate);

    // Starts one wait of the step's interval in seconds (3 for a step without one, or that is no
    // simulated network step); each call starts another, and each wait goes forward when it ends.
    void stepWillAppear();

private:
    std::shared_ptr<ORKStep> m_step;
    StepControllerDelegate& m_delegate;
    std::vector<std::unique_ptr<QTimer>> m_timers;
};

}  // namespace pathloom
