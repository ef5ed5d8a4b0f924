#pragma once

#include "taskmodel/ORKStep.h"
#include "taskmodel/PlatformValues.h"

#include <QImage>
#include <QString>
#include <optional>

namespace pathloom {

// A step that records a video with the camera, optionally over a template image.
class ORKVideoCaptureStep : public ORKStep {
public:
    using ORKStep::ORKStep;

    EdgeInsets templateImageInsets;
    // The longest recording, in seconds.
    double duration = 0;
    bool audioMute = false;
    qint64 torchMode = 0;
    qint64 devicePosition = 0;
    std::optional<QString> accessibilityHint;
    std::optional<QString> accessibilityInstructions;
    std::optional<QImage> templateImage;
};

}  // namespace pathloom
