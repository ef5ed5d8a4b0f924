#pragma once

#include "taskmodel/ORKActiveStep.h"

namespace pathloom {

// An active step that goes on when the participant touches anywhere on the screen.
class ORKTouchAnywhereStep : public ORKActiveStep {
public:
    using ORKActiveStep::ORKActiveStep;
};

}  // namespace pathloom
