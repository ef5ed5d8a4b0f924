#include "taskscreens/answers/ValuePickerAnswerWidget.h"

#include "taskmodel/ORKTextChoice.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

ValuePickerAnswerWidget::ValuePickerAnswerWidget(
    const ORKAnswerFormat& format, const QList<std::shared_ptr<ORKTextChoice>>& choices,
    QWidget* parent)
    : AnswerWidget(format, parent), m_choices(choices), m_box(new QComboBox(this)) {
    m_box->setObjectName(u"answerPicker"_s);
    m_box->addItem(u"Select"_s);
    for (const std::shared_ptr<ORKTextChoice>& choice : choices) {
        m_box->addItem(choice ? choice->text.value_or(QString()) : QString());
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_box);
    setFocusProxy(m_box);
    connect(m_box, &QComboBox::currentIndexChanged, this, &AnswerWidget::answerChanged);
}

Value ValuePickerAnswerWidget::chosenValue() const {
    const qsizetype index = m_box->currentIndex() - 1;
    if (index < 0 || index >= m_choices.size() || !m_choices[index]) {
        return {};
    }
    return m_choices[index]->value;
}

Value ValuePickerAnswerWidget::answer() const {
    const Value chosen = chosenValue();
    return chosen.isNone() ? Value() : Value(Value::Array{chosen});
}

bool ValuePickerAnswerWidget::choose(const Value& value) {
    for (qsizetype index = 0; index < m_choices.size(); ++index) {
        if (m_choices[index] && m_choices[index]->value == value) {
            m_box->setCurrentIndex(static_cast<int>(index + 1));
            return true;
        }
    }
    return false;
}

void ValuePickerAnswerWidget::setAnswer(const Value& answer) {
    if (answer.isNone()) {
        m_box->setCurrentIndex(0);
        return;
    }
    if (const Value::Array* given = answer.as<Value::Array>(); given && !given->isEmpty()) {
        choose(given->first());
    }
}

}  // namespace pathloom
