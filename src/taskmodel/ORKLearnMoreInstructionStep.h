#pragma once

#include "taskmodel/ORKInstructionStep.h"

namespace pathloom {

// The instruction step a "learn more" link opens.
class ORKLearnMoreInstructionStep : public ORKInstructionStep {
public:
    using ORKInstructionStep::ORKInstructionStep;
};

}  // namespace pathloom
