#pragma once

#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/ORKLearnMoreItem.h"
#include "taskmodel/ORKStep.h"

#include <QString>
#include <memory>
#include <optional>

namespace pathloom {

// A step that asks one question and takes its answer in the given answer format.
class ORKQuestionStep : public ORKStep {
public:
    using ORKStep::ORKStep;

    std::shared_ptr<ORKAnswerFormat> answerFormat;
    std::optional<QString> placeholder;
    std::optional<QString> question;
    bool useCardView = false;
    std::shared_ptr<ORKLearnMoreItem> learnMoreItem;
    std::optional<QString> tagText;
};

}  // namespace pathloom
