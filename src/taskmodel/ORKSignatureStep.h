#pragma once

#include "taskmodel/ORKActiveStep.h"

namespace pathloom {

// A step on which the participant signs with a finger.
class ORKSignatureStep : public ORKActiveStep {
public:
    using ORKActiveStep::ORKActiveStep;
};

}  // namespace pathloom
