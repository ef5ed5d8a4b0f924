#pragma once

#include "taskmodel/ORKLearnMoreInstructionStep.h"
#include "taskmodel/ORKObject.h"

#include <QString>
#include <memory>
#include <optional>
#include <utility>

namespace pathloom {

// A "learn more" link: its text and the instruction step it opens.
class ORKLearnMoreItem : public ORKObject {
public:
    ORKLearnMoreItem(std::optional<QString> text,
                     std::shared_ptr<ORKLearnMoreInstructionStep> learnMoreInstructionStep)
        : text(std::move(text)), learnMoreInstructionStep(std::move(learnMoreInstructionStep)) {}

    std::optional<QString> text;
    std::shared_ptr<ORKLearnMoreInstructionStep> learnMoreInstructionStep;
};

}  // namespace pathloom
