#pragma once

#include "taskmodel/ORKActiveStep.h"

namespace pathloom {

// A step that shows a PDF document.
class ORKPDFViewerStep : public ORKActiveStep {
public:
    using ORKActiveStep::ORKActiveStep;
};

}  // namespace pathloom
