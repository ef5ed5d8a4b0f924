#pragma once

#include "taskmodel/ORKInstructionStep.h"

namespace pathloom {

// The instruction step that closes a task.
class ORKCompletionStep : public ORKInstructionStep {
public:
    using ORKInstructionStep::ORKInstructionStep;
};

}  // namespace pathloom
