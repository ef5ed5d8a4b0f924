#pragma once

#include "taskmodel/ORKInstructionStep.h"

#include <QUrl>
#include <optional>

namespace pathloom {

// An instruction step that plays a video, showing the frame at `thumbnailTime` before it starts.
class ORKVideoInstructionStep : public ORKInstructionStep {
public:
    using ORKInstructionStep::ORKInstructionStep;

    std::optional<QUrl> videoURL;
    // Seconds from the start of the video.
    double thumbnailTime = 0;
};

}  // namespace pathloom
