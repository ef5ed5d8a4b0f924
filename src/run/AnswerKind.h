#pragma once

namespace pathloom {

class ORKAnswerFormat;

// The kinds of answer format, one per answer format class. A format is classified by its most
// derived class: an e-mail or confirmation format is a text format too, but not of kind text.
enum class AnswerKind {
    boolean,
    textChoice,
    valuePicker,
    imageChoice,
    textScale,
    multipleValuePicker,
    numeric,
    scale,
    continuousScale,
    date,
    timeOfDay,
    timeInterval,
    email,
    confirmText,
    text,
    location,
    ses,
    height,
    weight,
    currency,
    // The plain answer format, or a class this table does not know.
    other,
};

[[nodiscard]] AnswerKind answerKind(const ORKAnswerFormat& format);
// Answered with a list of choice values.
[[nodiscard]] bool isChoiceKind(AnswerKind kind);
// Answered with one number.
[[nodiscard]] bool isNumberKind(AnswerKind kind);
// Answered with a text.
[[nodiscard]] bool isTextKind(AnswerKind kind);

}  // namespace pathloom
