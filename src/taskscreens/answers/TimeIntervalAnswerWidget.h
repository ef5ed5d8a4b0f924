#pragma once

#include "taskscreens/answers/AnswerWidget.h"

class QSpinBox;

namespace pathloom {

class ORKTimeIntervalAnswerFormat;

// A duration in hours and minutes, the minutes in the format's steps, starting at its default.
// The answer is the duration in seconds; a duration not yet set is no answer.
class TimeIntervalAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    explicit TimeIntervalAnswerWidget(const ORKTimeIntervalAnswerFormat& format,
                                      QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    QSpinBox* m_hours;
    QSpinBox* m_minutes;
    bool m_answered = false;
};

}  // namespace pathloom
