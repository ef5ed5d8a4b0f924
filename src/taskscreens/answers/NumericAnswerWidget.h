#pragma once

#include "taskscreens/answers/AnswerWidget.h"

class QLabel;
class QLineEdit;

namespace pathloom {

class ORKNumericAnswerFormat;

// A typed number with its unit beside it (hidden while empty when the format says so). Integer
// formats take no decimal separator; decimal formats take at most the format's fraction digits,
// with "." or the locale's separator. The answer is an integer when the text is one, else a
// decimal number, as an answers file reads; an empty field is no answer.
class NumericAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    NumericAnswerWidget(const ORKNumericAnswerFormat& format,
                        const std::optional<QString>& placeholder, QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    void updateUnit();

    const ORKNumericAnswerFormat& m_numeric;
    QLineEdit* m_field;
    QLabel* m_unit = nullptr;
};

}  // namespace pathloom
