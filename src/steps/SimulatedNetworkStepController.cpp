#include "steps/SimulatedNetworkStepController.h"

#include "steps/PathloomSimulateNetworkStep.h"

#include <algorithm>
#include <chrono>

namespace pathloom {

SimulatedNetworkStepController::SimulatedNetworkStepController(std::shared_ptr<ORKStep> step,
                                                               StepControllerDelegate& delegate)
    : m_step(std::move(step)), m_delegate(delegate) {}

void SimulatedNetworkStepController::stepWillAppear() {
    const auto* simulated = dynamic_cast<const PathloomSimulateNetworkStep*>(m_step.get());
    const qint64 seconds =
        simulated != nullptr ? simulated->interval().value_or(kDefaultInterval) : kDefaultInterval;
    auto timer = std::make_unique<QTimer>();
    timer->setSingleShot(true);
    // A negative wait is no wait; a very long one is capped at what a timer can hold.
    timer->setInterval(std::chrono::milliseconds(std::clamp<qint64>(seconds, 0, 2'000'000) * 1000));
    QObject::connect(timer.get(), &QTimer::timeout, [this] { m_delegate.goForward(); });
    timer->start();
    m_timers.push_back(std::move(timer));
}

}  // namespace pathloom
