#pragma once

#include "taskmodel/ORKStep.h"

namespace pathloom {

// A step that only informs: a title, a text and maybe an image.
class ORKInstructionStep : public ORKStep {
public:
    using ORKStep::ORKStep;

    bool centerImageVertically = false;
};

}  // namespace pathloom
