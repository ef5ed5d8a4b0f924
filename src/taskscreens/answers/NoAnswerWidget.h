#pragma once

#include "taskscreens/answers/AnswerWidget.h"

namespace pathloom {

// Stands for an answer format that offers nothing to answer with (choices without a choice, a
// format without a widget): it shows nothing and answers nothing, and the screen lets the user go
// on without an answer instead of leaving a required question as a dead end.
class NoAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    using AnswerWidget::AnswerWidget;

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;
    [[nodiscard]] bool takesAnswers() const override;
};

}  // namespace pathloom
