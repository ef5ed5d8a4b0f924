#pragma once

#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/ORKValuePickerAnswerFormat.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace pathloom {

// An answer made of one pick from each of several picker wheels, joined by `separator`.
class ORKMultipleValuePickerAnswerFormat : public ORKAnswerFormat {
public:
    ORKMultipleValuePickerAnswerFormat(
        QList<std::shared_ptr<ORKValuePickerAnswerFormat>> valuePickers,
        std::optional<QString> separator)
        : valuePickers(std::move(valuePickers)), separator(std::move(separator)) {}

    QList<std::shared_ptr<ORKValuePickerAnswerFormat>> valuePickers;
    std::optional<QString> separator;
};

}  // namespace pathloom
