#pragma once

#include "taskmodel/ORKStep.h"

namespace pathloom {

// A step that shows a web page.
class ORKWebViewStep : public ORKStep {
public:
    using ORKStep::ORKStep;
};

}  // namespace pathloom
