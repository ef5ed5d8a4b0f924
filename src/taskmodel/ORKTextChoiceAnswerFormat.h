#pragma once

#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/ORKTextChoice.h"

#include <QList>
#include <memory>

namespace pathloom {

// An answer picked from a list of text choices; `style` 0 allows one choice, 1 several.
class ORKTextChoiceAnswerFormat : public ORKAnswerFormat {
public:
    ORKTextChoiceAnswerFormat(qint64 style, QList<std::shared_ptr<ORKTextChoice>> textChoices)
        : style(style), textChoices(std::move(textChoices)) {}

    qint64 style = 0;
    QList<std::shared_ptr<ORKTextChoice>> textChoices;
};

}  // namespace pathloom
