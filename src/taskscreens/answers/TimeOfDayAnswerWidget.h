#pragma once

#include "taskscreens/answers/AnswerWidget.h"

class QTimeEdit;

namespace pathloom {

class ORKTimeOfDayAnswerFormat;

// A time of day, hours and minutes, starting at the format's default or now. The answer is the
// hour and minute components.
class TimeOfDayAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    explicit TimeOfDayAnswerWidget(const ORKTimeOfDayAnswerFormat& format,
                                   QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    QTimeEdit* m_editor;
};

}  // namespace pathloom
