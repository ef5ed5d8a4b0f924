#pragma once

#include "taskscreens/answers/AnswerWidget.h"

class QDateTimeEdit;

namespace pathloom {

class ORKDateAnswerFormat;

// A date, or a date and a time, picked in an editor with a calendar, within the format's bounds,
// starting at its default or today. A date alone is midnight local time, as an answers file's
// "2026-01-02" reads.
class DateAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    explicit DateAnswerWidget(const ORKDateAnswerFormat& format, QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    bool m_dateOnly;
    QDateTimeEdit* m_editor;
};

}  // namespace pathloom
