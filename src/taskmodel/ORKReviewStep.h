#pragma once

#include "taskmodel/ORKStep.h"

namespace pathloom {

// A step that lists the answers given so far so that the participant can review them.
class ORKReviewStep : public ORKStep {
public:
    using ORKStep::ORKStep;
};

}  // namespace pathloom
