#include "taskscreens/answers/TextScaleAnswerWidget.h"

#include "platform/TextStyles.h"
#include "taskmodel/ORKTextChoice.h"
#include "taskmodel/ORKTextScaleAnswerFormat.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>

namespace pathloom {

using namespace Qt::StringLiterals;

TextScaleAnswerWidget::TextScaleAnswerWidget(const ORKTextScaleAnswerFormat& format,
                                             QWidget* parent)
    : AnswerWidget(format, parent),
      m_scale(format),
      m_slider(new QSlider(format.vertical ? Qt::Vertical : Qt::Horizontal, this)),
      m_value(new QLabel(this)) {
    m_slider->setObjectName(u"answerScale"_s);
    m_slider->setRange(0, static_cast<int>(std::max<qsizetype>(format.textChoices.size() - 1, 0)));
    m_slider->setPageStep(1);
    m_slider->setTickPosition(format.hideValueMarkers ? QSlider::NoTicks : QSlider::TicksBelow);
    m_slider->setTickInterval(1);
    setFocusProxy(m_slider);
    m_value->setObjectName(u"scaleValue"_s);
    m_value->setAlignment(Qt::AlignCenter);
    m_value->setWordWrap(true);
    m_value->setFont(TextStyles::font(TextStyles::Style::headline));
    m_value->setVisible(!format.hideSelectedValue);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_value, 0, 0, 1, 2);
    layout->addWidget(m_slider, 1, 0, 1, 2);
    if (!format.hideLabels && !format.textChoices.isEmpty()) {
        const auto end = [&](const std::shared_ptr<ORKTextChoice>& choice,
                             Qt::Alignment alignment) {
            auto* label = new QLabel(choice ? choice->text.value_or(QString()) : QString(), this);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(alignment);
            label->setFont(TextStyles::font(TextStyles::Style::footnote));
            return label;
        };
        layout->addWidget(end(format.textChoices.first(), Qt::AlignLeft), 2, 0);
        layout->addWidget(end(format.textChoices.last(), Qt::AlignRight), 2, 1);
    }
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
