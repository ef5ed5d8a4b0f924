#pragma once

#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/PlatformValues.h"

#include <QString>
#include <optional>

namespace pathloom {

// A typed text answer: its length limit, validation and the keyboard it is typed on.
// `maximumLength` 0 means no limit.
class ORKTextAnswerFormat : public ORKAnswerFormat {
public:
    explicit ORKTextAnswerFormat(qint64 maximumLength = 0) : maximumLength(maximumLength) {}

    qint64 maximumLength = 0;
    std::optional<RegularExpression> validationRegularExpression;
    std::optional<QString> invalidMessage;
    std::optional<QString> defaultTextAnswer;
    qint64 autocapitalizationType = 0;
    qint64 autocorrectionType = 0;
    qint64 spellCheckingType = 0;
    qint64 keyboardType = 0;
    bool multipleLines = false;
    bool hideClearButton = false;
    bool hideCharacterCountLabel = false;
    bool secureTextEntry = false;
    std::optional<QString> textContentType;
    std::optional<PasswordRules> passwordRules;
    std::optional<QString> placeholder;
};

}  // namespace pathloom
