#pragma once

#include "taskscreens/answers/AnswerWidget.h"

class QLabel;
class QSlider;

namespace pathloom {

class ORKContinuousScaleAnswerFormat;

// A decimal number picked on a slider from the minimum to the maximum, in steps of the smallest
// fraction the format's digits show; a percent style shows the value times 100 with "%". Without
// a default in range the slider answers nothing until it is moved.
class ContinuousScaleAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    explicit ContinuousScaleAnswerWidget(const ORKContinuousScaleAnswerFormat& format,
                                         QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    [[nodiscard]] double valueAt(int position) const;
    [[nodiscard]] QString text(double value) const;
    void showValue();

    const ORKContinuousScaleAnswerFormat& m_scale;
    double m_resolution;
    QSlider* m_slider;
    QLabel* m_value;
    bool m_answered = false;
};

}  // namespace pathloom
