#pragma once

#include "taskscreens/answers/AnswerWidget.h"

class QLabel;
class QSlider;

namespace pathloom {

class ORKTextScaleAnswerFormat;

// One of a few text choices picked on a slider, the choices' texts under its ends and the chosen
// text over it. The answer is the chosen value, as a list of one; nothing until the slider moves
// unless the format has a default.
class TextScaleAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    explicit TextScaleAnswerWidget(const ORKTextScaleAnswerFormat& format,
                                   QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    void showValue();

    const ORKTextScaleAnswerFormat& m_scale;
    QSlider* m_slider;
    QLabel* m_value;
    bool m_answered = false;
};

}  // namespace pathloom
