#pragma once

#include "taskmodel/ORKStep.h"

namespace pathloom {

// A step that runs a sequence of steps as pages of one step.
class ORKPageStep : public ORKStep {
public:
    using ORKStep::ORKStep;
};

}  // namespace pathloom
