#pragma once

#include "taskmodel/ORKPageStep.h"

namespace pathloom {

// A page step whose pages may follow navigation rules.
class ORKNavigablePageStep : public ORKPageStep {
public:
    using ORKPageStep::ORKPageStep;
};

}  // namespace pathloom
