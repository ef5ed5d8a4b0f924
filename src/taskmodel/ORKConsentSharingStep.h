#pragma once

#include "taskmodel/ORKQuestionStep.h"

namespace pathloom {

// A question step that asks how widely the participant's data may be shared.
class ORKConsentSharingStep : public ORKQuestionStep {
public:
    using ORKQuestionStep::ORKQuestionStep;
};

}  // namespace pathloom
