#pragma once

#include "steps/BuildableStep.h"
#include "taskmodel/ORKWaitStep.h"

namespace pathloom {

// The document capture step: its screen scans paper documents with the camera.
class PathloomDocumentCaptureStep : public ORKWaitStep {
public:
    using ORKWaitStep::ORKWaitStep;

    // Never fails; only the identifier is read.
    [[nodiscard]] static StepBuildResult build(
        const StepData& data, const StepContext& context,
        const std::shared_ptr<NetworkManager>& networkManager,
        const std::shared_ptr<ImageLoader>& imageLoader, const Localization& localization);
};

}  // namespace pathloom
