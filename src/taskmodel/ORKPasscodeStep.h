#pragma once

#include "taskmodel/ORKStep.h"

namespace pathloom {

// A step that creates, checks or changes the passcode that protects the app.
class ORKPasscodeStep : public ORKStep {
public:
    using ORKStep::ORKStep;
};

}  // namespace pathloom
