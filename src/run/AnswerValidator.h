#pragma once

#include "taskmodel/Value.h"

#include <QString>
#include <optional>

namespace pathloom {

class ORKAnswerFormat;
class ORKConfirmTextAnswerFormat;

// The rules an answer format sets for its answers, and the message a screen shows next to an
// answer that breaks one. Where the document gives a message (a text format's invalid message, a
// confirmation's error message) that message is shown as it is; the other messages are this
// class's own.
class AnswerValidator {
public:
    // The message for an answer the format refuses, nothing for one it accepts. `answer` is an
    // answer of the shape QuestionAnswers describes; a value of another kind is refused.
    [[nodiscard]] static std::optional<QString> validate(const ORKAnswerFormat& format,
                                                         const Value& answer);
    // The message shown when a confirmation does not repeat `original`, the answer of the item
    // the format names; nothing when it does.
    [[nodiscard]] static std::optional<QString> validateConfirmation(
        const ORKConfirmTextAnswerFormat& format, const Value& answer, const Value& original);
};

}  // namespace pathloom
