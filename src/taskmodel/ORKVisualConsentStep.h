#pragma once

#include "taskmodel/ORKStep.h"

namespace pathloom {

// A step that walks through the sections of a consent document with pictures.
class ORKVisualConsentStep : public ORKStep {
public:
    using ORKStep::ORKStep;
};

}  // namespace pathloom
