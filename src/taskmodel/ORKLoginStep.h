#pragma once

#include "taskmodel/ORKFormStep.h"

namespace pathloom {

// A form step in which the participant logs in.
class ORKLoginStep : public ORKFormStep {
public:
    using ORKFormStep::ORKFormStep;
};

}  // namespace pathloom
