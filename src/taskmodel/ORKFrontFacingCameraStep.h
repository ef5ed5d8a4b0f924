#pragma once

#include "taskmodel/ORKActiveStep.h"

namespace pathloom {

// An active step that records a video with the front camera.
class ORKFrontFacingCameraStep : public ORKActiveStep {
public:
    using ORKActiveStep::ORKActiveStep;
};

}  // namespace pathloom
