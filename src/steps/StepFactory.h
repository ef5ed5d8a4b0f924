#pragma once

#include "steps/BuildableStep.h"

namespace pathloom {

// Builds the steps of the types it knows. Factories are immutable after construction.
class StepFactory {
public:
    virtual ~StepFactory() = default;
    [[nodiscard]] virtual bool canBuild(const QString& typeName) const = 0;
    [[nodiscard]] virtual StepBuildResult buildStep(
        const StepData& data, const StepContext& context,
        const std::shared_ptr<NetworkManager>& networkManager,
        const std::shared_ptr<ImageLoader>& imageLoader,
        const Localization& localization) const = 0;
};

}  // namespace pathloom
