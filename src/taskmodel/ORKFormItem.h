#pragma once

#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/ORKLearnMoreItem.h"
#include "taskmodel/ORKObject.h"

#include <QString>
#include <memory>
#include <optional>
#include <utility>

namespace pathloom {

// One question of a form step; an item without answer format is a section header.
class ORKFormItem : public ORKObject {
public:
    ORKFormItem(QString identifier, std::optional<QString> text,
                std::shared_ptr<ORKAnswerFormat> answerFormat)
        : identifier(std::move(identifier)),
          text(std::move(text)),
          answerFormat(std::move(answerFormat)) {}

    QString identifier;
    bool optional = false;
    bool showsProgress = false;
    std::optional<QString> text;
    std::optional<QString> detailText;
    std::optional<QString> placeholder;
    std::shared_ptr<ORKAnswerFormat> answerFormat;
    std::shared_ptr<ORKLearnMoreItem> learnMoreItem;
    std::optional<QString> tagText;
};

}  // namespace pathloom
