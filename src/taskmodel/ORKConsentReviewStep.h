#pragma once

#include "taskmodel/ORKStep.h"

namespace pathloom {

// A step that shows the consent document for review and collects the signature.
class ORKConsentReviewStep : public ORKStep {
public:
    using ORKStep::ORKStep;
};

}  // namespace pathloom
