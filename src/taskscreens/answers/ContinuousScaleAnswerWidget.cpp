#include "taskscreens/answers/ContinuousScaleAnswerWidget.h"

#include "platform/TextStyles.h"
#include "taskmodel/ORKContinuousScaleAnswerFormat.h"

#include <QGridLayout>
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
    setFocusProxy(m_slider);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!format.hideSelectedValue) {
        m_value = new QLabel(this);
        m_value->setObjectName(u"scaleValue"_s);
        m_value->setAlignment(Qt::AlignCenter);
        m_value->setFont(TextStyles::font(TextStyles::Style::title));
        layout->addWidget(m_value, 0, 0, 1, 2);
    }
    layout->addWidget(m_slider, 1, 0, 1, 2);
    const auto end = [&](double value, const std::optional<QString>& description,
                         Qt::Alignment alignment) {
        QStringList lines;
        if (!format.hideRanges) {
            lines.append(text(value));
        }
        if (description && !format.hideLabels) {
            lines.append(*description);
        }
        auto* label = new QLabel(lines.join(u'\n'), this);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(alignment);
        label->setFont(TextStyles::font(TextStyles::Style::footnote));
        return label;
    };
    layout->addWidget(end(format.minimum, format.minimumValueDescription, Qt::AlignLeft), 2, 0);
    layout->addWidget(end(format.maximum, format.maximumValueDescription, Qt::AlignRight), 2, 1);
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
    if (m_value != nullptr) {
        m_value->setText(m_answered ? text(valueAt(m_slider->value())) : u"\u2013"_s);
    }
}

}  // namespace pathloom
