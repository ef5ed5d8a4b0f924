#pragma once

#include "taskscreens/answers/AnswerWidget.h"

class QLineEdit;

namespace pathloom {

class ORKCurrencyAnswerFormat;

// An amount of money typed with at most two decimals, the format's currency code beside it. The
// answer is the amount as a number; an empty field is no answer.
class CurrencyAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    CurrencyAnswerWidget(const ORKCurrencyAnswerFormat& format,
                         const std::optional<QString>& placeholder, QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    QLineEdit* m_field;
};

}  // namespace pathloom
