#pragma once

#include "taskmodel/ORKStep.h"
#include "taskmodel/PlatformValues.h"

#include <QImage>
#include <QString>
#include <optional>

namespace pathloom {

// A step that takes a photo with the camera, optionally over a template image that shows how to
// frame the subject.
class ORKImageCaptureStep : public ORKStep {
public:
    using ORKStep::ORKStep;

    EdgeInsets templateImageInsets;
    std::optional<QString> accessibilityHint;
    std::optional<QString> accessibilityInstructions;
    bool captureRaw = false;
    std::optional<QImage> templateImage;
    // The camera's position value (unspecified, back, front).
    qint64 devicePosition = 0;
};

}  // namespace pathloom
