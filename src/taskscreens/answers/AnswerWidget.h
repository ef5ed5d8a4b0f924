#pragma once

#include "taskmodel/Value.h"

#include <QString>
#include <QWidget>
#include <optional>

namespace pathloom {

class ORKAnswerFormat;

// One answer format's way of answering, on a question screen or in a form row: it shows the
// format's controls and holds the answer as the shared answer table writes it (a text, a number,
// a list of choice values, a date…), so that a screen records what a run without screens records
// for the same answer. Main thread only.
class AnswerWidget : public QWidget {
    Q_OBJECT

public:
    // `format` outlives the widget.
    explicit AnswerWidget(const ORKAnswerFormat& format, QWidget* parent = nullptr);

    // No value while nothing is answered.
    [[nodiscard]] virtual Value answer() const = 0;
    // Shows `answer`, for going back to a step and for the autopilot; no value clears. An answer
    // of another shape is ignored.
    virtual void setAnswer(const Value& answer) = 0;

    // The message for an answer the format refuses; nothing for an accepted answer or none.
    [[nodiscard]] std::optional<QString> validationMessage() const;
    [[nodiscard]] bool isAnswered() const;
    // False for a format that offers nothing to answer with: its question needs no answer.
    [[nodiscard]] virtual bool takesAnswers() const { return true; }
    [[nodiscard]] const ORKAnswerFormat& format() const { return m_format; }

protected:
    // A number as an answers file reads it: whole numbers as integers, others as decimals.
    [[nodiscard]] static Value number(double value);

Q_SIGNALS:
    // The user (or setAnswer()) changed the answer.
    void answerChanged();

private:
    const ORKAnswerFormat& m_format;
};

}  // namespace pathloom
