#pragma once

#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/ORKTextChoice.h"

#include <QList>
#include <memory>

namespace pathloom {

// An answer picked from a picker wheel of text choices.
class ORKValuePickerAnswerFormat : public ORKAnswerFormat {
public:
    explicit ORKValuePickerAnswerFormat(QList<std::shared_ptr<ORKTextChoice>> textChoices)
        : textChoices(std::move(textChoices)) {}

    QList<std::shared_ptr<ORKTextChoice>> textChoices;
};

}  // namespace pathloom
