#pragma once

#include "steps/BuildableStep.h"
#include "taskmodel/ORKWaitStep.h"

#include <optional>

namespace pathloom {

// The simulated network step: its screen waits a while, as a network call would, and goes on.
class PathloomSimulateNetworkStep : public ORKWaitStep {
public:
    PathloomSimulateNetworkStep(QString identifier, std::optional<qint64> interval);

    // Never fails: "title" and "text" are translated, and an "interval" that is not an exact
    // integer reads as absent.
    [[nodiscard]] static StepBuildResult build(
        const StepData& data, const StepContext& context,
        const std::shared_ptr<NetworkManager>& networkManager,
        const std::shared_ptr<ImageLoader>& imageLoader, const Localization& localization);

    // The seconds to wait; the screen picks its own wait when absent.
    [[nodiscard]] std::optional<qint64> interval() const { return m_interval; }

private:
    std::optional<qint64> m_interval;
};

}  // namespace pathloom
