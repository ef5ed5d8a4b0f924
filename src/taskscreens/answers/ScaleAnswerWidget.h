#pragma once

#include "foundation/DebugConsole.h"
#include "taskscreens/answers/AnswerWidget.h"

class QLabel;
class QSlider;

namespace pathloom {

class ORKScaleAnswerFormat;

// An integer picked on a slider from the minimum to the maximum in the format's steps, with the
// ends' values and descriptions and the chosen value unless the format hides them. Without a
// default in range the slider answers nothing until it is moved. A step that is not positive is
// taken as 1, and a minimum above the maximum swaps them, each with a console line: the screen
// stays usable.
class ScaleAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    ScaleAnswerWidget(const ORKScaleAnswerFormat& format, const DebugConsole& console,
                      QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

    [[nodiscard]] QSlider* slider() const { return m_slider; }

private:
    void showValue();

    qint64 m_minimum;
    qint64 m_step;
    QSlider* m_slider;
    QLabel* m_value;
    bool m_answered = false;
};

}  // namespace pathloom
