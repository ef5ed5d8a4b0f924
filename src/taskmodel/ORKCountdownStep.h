#pragma once

#include "taskmodel/ORKActiveStep.h"

namespace pathloom {

// An active step that counts down before the next step starts.
class ORKCountdownStep : public ORKActiveStep {
public:
    using ORKActiveStep::ORKActiveStep;
};

}  // namespace pathloom
