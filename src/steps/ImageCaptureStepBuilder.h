#pragma once

#include "steps/BuildableStep.h"

namespace pathloom {

// Builds the task framework's ORKImageCaptureStep from an "imageCapture" step document, which
// the framework's step factory handles in place of the serializer.
class ImageCaptureStepBuilder {
public:
    // "title" is translated; "optional" is a boolean (false unless true or 1); an integer
    // "devicePosition" picks the camera; a text "templateImageURL" is loaded at once through
    // `imageLoader`, and a picture that does not load fails with
    // StepCreationError::unableToLoadTemplateImage.
    [[nodiscard]] static StepBuildResult build(
        const StepData& data, const StepContext& context,
        const std::shared_ptr<NetworkManager>& networkManager,
        const std::shared_ptr<ImageLoader>& imageLoader, const Localization& localization);
};

}  // namespace pathloom
