#pragma once

#include "taskmodel/ORKFormStep.h"

namespace pathloom {

// A form step that registers the participant (e-mail, password and personal details).
class ORKRegistrationStep : public ORKFormStep {
public:
    using ORKFormStep::ORKFormStep;
};

}  // namespace pathloom
