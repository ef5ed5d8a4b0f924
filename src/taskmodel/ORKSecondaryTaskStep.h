#pragma once

#include "taskmodel/ORKStep.h"

namespace pathloom {

// A step that offers a further task to run from within the current one.
class ORKSecondaryTaskStep : public ORKStep {
public:
    using ORKStep::ORKStep;
};

}  // namespace pathloom
