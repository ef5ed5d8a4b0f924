#pragma once

#include "run/AnswerError.h"
#include "taskmodel/ORKQuestionResult.h"
#include "taskmodel/ORKResult.h"
#include "taskmodel/Value.h"

#include <QJsonValue>
#include <QList>
#include <QString>
#include <expected>
#include <memory>
#include <optional>

namespace pathloom {

class ORKAnswerFormat;
class ORKFormItem;
class ORKStep;

// What every way of answering a question shares, per answer format: how an answer is written in
// an answers file, which answers the format accepts and the message shown next to one it refuses,
// the format's default, and the result a question records. The question screens and the run
// without screens both go through it, so they record the same results and show the same texts.
//
// Answers are the values the results hold: a boolean; a list of choice values (text, value picker,
// image and text scale choices; a text not among the values is the answer typed for the "other"
// choice); a list with one value per wheel (multiple value picker); a number (numeric, scale,
// continuous scale, seconds of a time interval, height, weight, currency amount, and the SES rung
// from 1 at the bottom to 10 at the top); a date; hour and
// minute date components (time of day); a text (text, e-mail, confirmation); an ORKLocation; or
// the shared don't-know answer. No value means no answer.
class QuestionAnswers {
public:
    using Results = QList<std::shared_ptr<ORKResult>>;

    // The answer written in an answers file: true/false, a choice value or an array of them, a
    // number, an ISO 8601 date or date-time, "HH:mm" for a time of day, a text,
    // {"latitude", "longitude", "address"} for a location (the address a text or an object with
    // "street" and "city"), an array with one value per picker wheel, or {"dontKnow": true}
    // where the format offers that button. JSON null is no answer. Fails with a sentence naming
    // `identifier` ("The answer for 'age' must be a number.").
    [[nodiscard]] static std::expected<Value, QString> fromJson(const ORKAnswerFormat& format,
                                                                const QJsonValue& json,
                                                                const QString& identifier);

    // The message shown next to an answer the format refuses (AnswerValidator has the rules);
    // nothing for an accepted answer and for no answer (whether one is needed is isRequired's
    // question).
    [[nodiscard]] static std::optional<QString> validate(const ORKAnswerFormat& format,
                                                         const Value& answer);

    // Whether the value answers anything: no value, an empty text and an empty choice list do not.
    [[nodiscard]] static bool isAnswered(const Value& answer);
    // An answer is needed unless the step or item is optional; a form item without answer format
    // is a section header and needs none.
    [[nodiscard]] static bool isRequired(const ORKStep& step);
    [[nodiscard]] static bool isRequired(const ORKFormItem& item);

    // The answer a screen starts with; nothing when the format has no default.
    [[nodiscard]] static std::optional<Value> defaultAnswer(const ORKAnswerFormat& format);
    // The shared "I don't know" answer.
    [[nodiscard]] static Value dontKnowAnswer();

    // The result a question screen records for an answer in this format, of the format's result
    // class (ORKChoiceQuestionResult for choices, ORKNumericQuestionResult for numbers, ...). A
    // single choice value is recorded as a list of one.
    [[nodiscard]] static std::shared_ptr<ORKQuestionResult> result(const QString& identifier,
                                                                   const ORKAnswerFormat& format,
                                                                   Value answer);

    // The results that an answers-file answer to a step becomes, validated: one for a question
    // step, one per answered item of a form step (under the item's identifier; the answer is an
    // object of item answers), none for other steps and for a skipped optional step or item.
    // JSON null, an empty text or an empty list skips; skipping what is required fails unless
    // `unanswered` allows it, and a form answer under a name the form does not ask and a
    // confirmation that differs from the answer it repeats fail too.
    enum class Unanswered { refused, allowed };
    [[nodiscard]] static std::expected<Results, AnswerError> results(
        const ORKStep& step, const QJsonValue& answer, Unanswered unanswered = Unanswered::refused);
};

}  // namespace pathloom
