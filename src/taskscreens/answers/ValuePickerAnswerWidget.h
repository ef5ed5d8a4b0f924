#pragma once

#include "taskscreens/answers/AnswerWidget.h"

#include <QList>
#include <memory>

class QComboBox;

namespace pathloom {

class ORKTextChoice;

// One value picked from a drop-down list of text choices, which starts at "Select" (no answer).
// The answer is the chosen value, as a list of one.
class ValuePickerAnswerWidget : public AnswerWidget {
    Q_OBJECT

public:
    ValuePickerAnswerWidget(const ORKAnswerFormat& format,
                            const QList<std::shared_ptr<ORKTextChoice>>& choices,
                            QWidget* parent = nullptr);

    [[nodiscard]] Value answer() const override;
    void setAnswer(const Value& answer) override;

    // The chosen value alone; no value while "Select" shows.
    [[nodiscard]] Value chosenValue() const;
    // Chooses the choice whose value is `value`; false when none has it.
    bool choose(const Value& value);
    [[nodiscard]] QComboBox* comboBox() const { return m_box; }

private:
    const QList<std::shared_ptr<ORKTextChoice>>& m_choices;
    QComboBox* m_box;
};

}  // namespace pathloom
