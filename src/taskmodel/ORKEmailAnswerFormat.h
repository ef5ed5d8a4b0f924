#pragma once

#include "taskmodel/ORKTextAnswerFormat.h"

namespace pathloom {

// A text answer that is an e-mail address, or a user name when `usernameField` is set.
class ORKEmailAnswerFormat : public ORKTextAnswerFormat {
public:
    bool usernameField = false;
};

}  // namespace pathloom
