#include "taskscreens/answers/ContinuousScaleAnswerWidget.h"

#include "taskmodel/ORKContinuousScaleAnswerFormat.h"
#include "taskscreens/answers/SliderLayout.h"

#include <QLabel>
#include <QSlider>
#include <cmath>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaximumDigits = 4;
constexpr qint64 kPercentStyle = 1;

}  // namespace

ContinuousScaleAnswerWidget::ContinuousScaleAnswerWidget(
    const ORKContinuousScaleAnswerFormat& format, QWidget* parent)
    : AnswerWidget(format, parent),
      m_scale(format),
      m_resolution(
          std::pow(10.0, std::clamp<qint64>(format.maximumFractionDigits, 0, kMaximumDigits))),
      m_slider(new QSlider(format.vertical ? Qt::Vertical : Qt::Horizontal, this)) {
    m_slider->setObjectName(u"answerScale"_s);
    const double span = std::max(format.maximum - format.minimum, 0.0);
    m_slider->setRange(0, static_cast<int>(std::lround(span * m_resolution)));
    m_value = SliderLayout::build(
        *this, *m_slider, TextStyles::Style::title,
        {SliderLayout::endText(text(format.minimum), format.minimumValueDescription,
                               format.hideRanges, format.hideLabels),
         SliderLayout::endText(text(format.maximum), format.maximumValueDescription,
                               format.hideRanges, format.hideLabels)});
    m_value->setVisible(!format.hideSelectedValue);
    connect(m_slider, &QSlider::valueChanged, this, [this] {
        m_answered = true;
        showValue();
        Q_EMIT answerChanged();
    });
    showValue();
}

double ContinuousScaleAnswerWidget::valueAt(int position) const {
    return std::round((m_scale.minimum + position / m_resolution) * m_resolution) / m_resolution;
}

QString ContinuousScaleAnswerWidget::text(double value) const {
    const int digits = static_cast<int>(std::log10(m_resolution));
    if (m_scale.numberStyle == kPercentStyle) {
        return QString::number(value * 100, 'f', std::max(digits - 2, 0)) + u'%';
    }
    return QString::number(value, 'f', digits);
}

Value ContinuousScaleAnswerWidget::answer() const {
    return m_answered ? number(valueAt(m_slider->value())) : Value();
}

void ContinuousScaleAnswerWidget::setAnswer(const Value& answer) {
    const std::optional<double> given = answer.isNumber() ? answer.toDouble() : std::nullopt;
    if (!answer.isNone() && !given) {
        return;
    }
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setValue(
            given ? static_cast<int>(std::lround((*given - m_scale.minimum) * m_resolution)) : 0);
    }
    m_answered = given.has_value();
    showValue();
    Q_EMIT answerChanged();
}

void ContinuousScaleAnswerWidget::showValue() {
    m_value->setText(m_answered ? text(valueAt(m_slider->value())) : u"\u2013"_s);
}

}  // namespace pathloom
