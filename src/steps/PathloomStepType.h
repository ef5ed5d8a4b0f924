#pragma once

#include "steps/StepClass.h"
#include "steps/StepType.h"

namespace pathloom {

// A step type together with the step class that builds its steps. Plug-ins contribute these.
class PathloomStepType : public StepType {
public:
    [[nodiscard]] virtual StepClass stepClass() const = 0;
};

}  // namespace pathloom
