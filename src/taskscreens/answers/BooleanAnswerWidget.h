#pragma once

#include "taskscreens/answers/AnswerWidget.h"

class QRadioButton;

namespace pathloom {

class ORKBooleanAnswerFormat;

// A yes-or-no answer: two rows with the format's texts ("Yes" and "No" when it has none). Neither
// chosen is no answer.
class BooleanAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    explicit BooleanAnswerWidget(const ORKBooleanAnswerFormat& format, QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    QRadioButton* m_yes;
    QRadioButton* m_no;
};

}  // namespace pathloom
