#pragma once

#include "steps/BuildableStep.h"

#include <functional>

namespace pathloom {

// A step class handed around as a value: the static build operation of a PathloomStep.
class StepClass {
public:
    using Build = std::function<StepBuildResult(
        const StepData& data, const StepContext& context,
        const std::shared_ptr<NetworkManager>& networkManager,
        const std::shared_ptr<ImageLoader>& imageLoader, const Localization& localization)>;

    template <PathloomStep T>
    [[nodiscard]] static StepClass of() {
        return StepClass(&T::build);
    }
    explicit StepClass(Build build) : m_build(std::move(build)) {}

    [[nodiscard]] StepBuildResult build(const StepData& data, const StepContext& context,
                                        const std::shared_ptr<NetworkManager>& networkManager,
                                        const std::shared_ptr<ImageLoader>& imageLoader,
                                        const Localization& localization) const {
        return m_build(data, context, networkManager, imageLoader, localization);
    }

private:
    Build m_build;
};

}  // namespace pathloom
