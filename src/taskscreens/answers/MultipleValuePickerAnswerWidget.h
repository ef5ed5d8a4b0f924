#pragma once

#include "taskscreens/answers/AnswerWidget.h"

#include <QList>

namespace pathloom {

class ORKMultipleValuePickerAnswerFormat;
class ValuePickerAnswerWidget;

// One drop-down list per picker of the format, side by side with the format's separator between
// them. The answer is one value per picker, in order, once every picker has one.
class MultipleValuePickerAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    explicit MultipleValuePickerAnswerWidget(const ORKMultipleValuePickerAnswerFormat& format,
                                             QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

private:
    QList<ValuePickerAnswerWidget*> m_pickers;
};

}  // namespace pathloom
