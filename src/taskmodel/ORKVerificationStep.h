#pragma once

#include "taskmodel/ORKStep.h"

namespace pathloom {

// A step that asks the participant to verify the e-mail address given at registration.
class ORKVerificationStep : public ORKStep {
public:
    using ORKStep::ORKStep;
};

}  // namespace pathloom
