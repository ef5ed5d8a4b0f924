#include "taskscreens/answers/TimeIntervalAnswerWidget.h"

#include "taskmodel/ORKTimeIntervalAnswerFormat.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaximumHours = 23;
constexpr int kMinutesPerHour = 60;
constexpr int kSecondsPerMinute = 60;

}  // namespace

TimeIntervalAnswerWidget::TimeIntervalAnswerWidget(const ORKTimeIntervalAnswerFormat& format,
                                                   QWidget* parent)
    : AnswerWidget(format, parent), m_hours(new QSpinBox(this)), m_minutes(new QSpinBox(this)) {
    m_hours->setObjectName(u"answerHours"_s);
    m_hours->setRange(0, kMaximumHours);
    m_hours->setAccessibleName(u"Hours"_s);
    m_minutes->setObjectName(u"answerMinutes"_s);
    const int step = static_cast<int>(std::clamp<qint64>(format.step, 1, kMinutesPerHour - 1));
    m_minutes->setRange(0, kMinutesPerHour - step);
    m_minutes->setSingleStep(step);
    m_minutes->setAccessibleName(u"Minutes"_s);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_hours);
    layout->addWidget(new QLabel(u"h"_s, this));
    layout->addWidget(m_minutes);
    layout->addWidget(new QLabel(u"min"_s, this));
    layout->addStretch();
    setFocusProxy(m_hours);
    for (QSpinBox* box : {m_hours, m_minutes}) {
        connect(box, &QSpinBox::valueChanged, this, [this] {
            m_answered = true;
            Q_EMIT answerChanged();
        });
    }
}

Value TimeIntervalAnswerWidget::answer() const {
    if (!m_answered) {
        return {};
    }
    return number(
        double((m_hours->value() * kMinutesPerHour + m_minutes->value()) * kSecondsPerMinute));
}

void TimeIntervalAnswerWidget::setAnswer(const Value& answer) {
    const std::optional<double> seconds = answer.isNumber() ? answer.toDouble() : std::nullopt;
    if (!answer.isNone() && !seconds) {
        return;
    }
    const int minutes = seconds ? static_cast<int>(*seconds / kSecondsPerMinute) : 0;
    {
        const QSignalBlocker hours(m_hours);
        const QSignalBlocker minutesBlocker(m_minutes);
        m_hours->setValue(minutes / kMinutesPerHour);
        m_minutes->setValue(minutes % kMinutesPerHour);
    }
    m_answered = seconds.has_value();
    Q_EMIT answerChanged();
}

}  // namespace pathloom
