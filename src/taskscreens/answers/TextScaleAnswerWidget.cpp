#include "taskscreens/answers/TextScaleAnswerWidget.h"

#include "taskmodel/ORKTextChoice.h"
#include "taskmodel/ORKTextScaleAnswerFormat.h"
#include "taskscreens/answers/SliderLayout.h"

#include <QLabel>
#include <QSlider>

namespace pathloom {

using namespace Qt::StringLiterals;

TextScaleAnswerWidget::TextScaleAnswerWidget(const ORKTextScaleAnswerFormat& format,
                                             QWidget* parent)
    : AnswerWidget(format, parent),
      m_scale(format),
      m_slider(new QSlider(format.vertical ? Qt::Vertical : Qt::Horizontal, this)) {
    m_slider->setObjectName(u"answerScale"_s);
    m_slider->setRange(0, static_cast<int>(std::max<qsizetype>(format.textChoices.size() - 1, 0)));
    m_slider->setPageStep(1);
    m_slider->setTickPosition(format.hideValueMarkers ? QSlider::NoTicks : QSlider::TicksBelow);
    m_slider->setTickInterval(1);
    const auto endText = [&](const std::shared_ptr<ORKTextChoice>& choice) {
        return choice && !format.hideLabels ? choice->text.value_or(QString()) : QString();
    };
    m_value =
        SliderLayout::build(*this, *m_slider, TextStyles::Style::headline,
                            {endText(format.textChoices.value(0)),
                             endText(format.textChoices.value(format.textChoices.size() - 1))});
    m_value->setVisible(!format.hideSelectedValue);
    connect(m_slider, &QSlider::valueChanged, this, [this] {
        m_answered = true;
        showValue();
        Q_EMIT answerChanged();
    });
    showValue();
}

Value TextScaleAnswerWidget::answer() const {
    const qsizetype index = m_slider->value();
    if (!m_answered || index >= m_scale.textChoices.size() || !m_scale.textChoices[index]) {
        return {};
    }
    return Value::Array{m_scale.textChoices[index]->value};
}

void TextScaleAnswerWidget::setAnswer(const Value& answer) {
    const Value::Array* given = answer.as<Value::Array>();
    qsizetype index = -1;
    for (qsizetype each = 0;
         given != nullptr && !given->isEmpty() && each < m_scale.textChoices.size(); ++each) {
        if (m_scale.textChoices[each] && m_scale.textChoices[each]->value == given->first()) {
            index = each;
        }
    }
    if (!answer.isNone() && index < 0) {
        return;
    }
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setValue(static_cast<int>(std::max<qsizetype>(index, 0)));
    }
    m_answered = index >= 0;
    showValue();
    Q_EMIT answerChanged();
}

void TextScaleAnswerWidget::showValue() {
    const qsizetype index = m_slider->value();
    const bool shown =
        m_answered && index < m_scale.textChoices.size() && m_scale.textChoices[index] != nullptr;
    m_value->setText(shown ? m_scale.textChoices[index]->text.value_or(QString()) : u"\u2013"_s);
}

}  // namespace pathloom
