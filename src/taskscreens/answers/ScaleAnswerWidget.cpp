#include "taskscreens/answers/ScaleAnswerWidget.h"

#include "taskmodel/ORKScaleAnswerFormat.h"
#include "taskscreens/answers/SliderLayout.h"

#include <QLabel>
#include <QSlider>

namespace pathloom {

using namespace Qt::StringLiterals;

ScaleAnswerWidget::ScaleAnswerWidget(const ORKScaleAnswerFormat& format,
                                     const DebugConsole& console, QWidget* parent)
    : AnswerWidget(format, parent),
      m_minimum(std::min(format.minimum, format.maximum)),
      m_step(format.step > 0 ? format.step : 1),
      m_slider(new QSlider(format.vertical ? Qt::Vertical : Qt::Horizontal, this)) {
    if (format.step <= 0) {
        console.print(u"The scale's step %1 is not positive; it steps by 1"_s.arg(format.step));
    }
    if (format.minimum > format.maximum) {
        console.print(u"The scale's minimum %1 is above its maximum %2; they are swapped"_s
                          .arg(format.minimum)
                          .arg(format.maximum));
    }
    const qint64 maximum = std::max(format.minimum, format.maximum);
    m_slider->setObjectName(u"answerScale"_s);
    m_slider->setRange(0, static_cast<int>((maximum - m_minimum) / m_step));
    m_slider->setSingleStep(1);
    m_slider->setPageStep(1);
    m_slider->setTickPosition(format.hideValueMarkers ? QSlider::NoTicks : QSlider::TicksBelow);
    m_slider->setTickInterval(1);
    m_value = SliderLayout::build(
        *this, *m_slider, TextStyles::Style::title,
        {SliderLayout::endText(QString::number(m_minimum), format.minimumValueDescription,
                               format.hideRanges, format.hideLabels),
         SliderLayout::endText(QString::number(maximum), format.maximumValueDescription,
                               format.hideRanges, format.hideLabels)});
    m_value->setVisible(!format.hideSelectedValue);
    connect(m_slider, &QSlider::valueChanged, this, [this] {
        m_answered = true;
        showValue();
        Q_EMIT answerChanged();
    });
    showValue();
}

Value ScaleAnswerWidget::answer() const {
    return m_answered ? Value(m_minimum + m_slider->value() * m_step) : Value();
}

void ScaleAnswerWidget::setAnswer(const Value& answer) {
    const std::optional<qint64> given = answer.isNumber() ? answer.toInteger() : std::nullopt;
    if (!answer.isNone() && !given) {
        return;
    }
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setValue(given ? static_cast<int>((*given - m_minimum) / m_step) : 0);
    }
    m_answered = given.has_value();
    showValue();
    Q_EMIT answerChanged();
}

void ScaleAnswerWidget::showValue() {
    m_value->setText(m_answered ? QString::number(m_minimum + m_slider->value() * m_step)
                                : u"\u2013"_s);
}

}  // namespace pathloom
