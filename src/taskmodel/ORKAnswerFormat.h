#pragma once

#include "taskmodel/ORKObject.h"

#include <QString>
#include <optional>

namespace pathloom {

// How a question is answered. Subclasses describe each kind of answer.
class ORKAnswerFormat : public ORKObject {
public:
    bool showDontKnowButton = false;
    std::optional<QString> customDontKnowButtonText;
};

}  // namespace pathloom
