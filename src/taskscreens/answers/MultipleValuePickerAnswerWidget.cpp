#include "taskscreens/answers/MultipleValuePickerAnswerWidget.h"

#include "taskmodel/ORKMultipleValuePickerAnswerFormat.h"
#include "taskmodel/ORKValuePickerAnswerFormat.h"
#include "taskscreens/answers/ValuePickerAnswerWidget.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace pathloom {

using namespace Qt::StringLiterals;

MultipleValuePickerAnswerWidget::MultipleValuePickerAnswerWidget(
    const ORKMultipleValuePickerAnswerFormat& format, QWidget* parent)
    : AnswerWidget(format, parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const std::shared_ptr<ORKValuePickerAnswerFormat>& picker : format.valuePickers) {
        if (!m_pickers.isEmpty() && format.separator && !format.separator->isEmpty()) {
            layout->addWidget(new QLabel(*format.separator, this));
        }
        auto* widget = new ValuePickerAnswerWidget(*picker, picker->textChoices, this);
        widget->comboBox()->setObjectName(u"answerPicker:%1"_s.arg(m_pickers.size()));
        connect(widget, &AnswerWidget::answerChanged, this, &AnswerWidget::answerChanged);
        layout->addWidget(widget, 1);
        m_pickers.append(widget);
    }
    if (!m_pickers.isEmpty()) {
        setFocusProxy(m_pickers.first());
    }
}

Value MultipleValuePickerAnswerWidget::answer() const {
    Value::Array values;
    for (const ValuePickerAnswerWidget* picker : m_pickers) {
        const Value chosen = picker->chosenValue();
        if (chosen.isNone()) {
            return {};
        }
        values.append(chosen);
    }
    return values.isEmpty() ? Value() : Value(values);
}

void MultipleValuePickerAnswerWidget::setAnswer(const Value& answer) {
    const Value::Array* given = answer.as<Value::Array>();
    if (!answer.isNone() && (given == nullptr || given->size() != m_pickers.size())) {
        return;
    }
    for (qsizetype index = 0; index < m_pickers.size(); ++index) {
        m_pickers[index]->setAnswer(given != nullptr ? Value(Value::Array{given->at(index)})
                                                     : Value());
    }
}

}  // namespace pathloom
