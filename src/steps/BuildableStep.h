#pragma once

#include "documents/StepData.h"
#include "foundation/Error.h"
#include "steps/StepContext.h"
#include "taskmodel/ORKStep.h"

#include <concepts>
#include <expected>
#include <memory>

namespace pathloom {

class ImageLoader;
class Localization;
class NetworkManager;

using StepBuildResult = std::expected<std::shared_ptr<ORKStep>, Error>;

// A step class that builds its steps from step documents, through a static `build` with the
// document, the context it is built in, the workflow's HTTP client, the image loader and the
// document's translation table.
template <typename T>
concept BuildableStep = requires(const StepData& data, const StepContext& context,
                                 const std::shared_ptr<NetworkManager>& networkManager,
                                 const std::shared_ptr<ImageLoader>& imageLoader,
                                 const Localization& localization) {
    {
        T::build(data, context, networkManager, imageLoader, localization)
        } -> std::convertible_to<StepBuildResult>;
};

// The step classes of the framework and of plug-ins: buildable steps.
template <typename T>
concept PathloomStep = BuildableStep<T> && std::derived_from<T, ORKStep>;

}  // namespace pathloom
