#include "taskscreens/answers/TimeOfDayAnswerWidget.h"

#include "taskmodel/ORKTimeOfDayAnswerFormat.h"

#include <QTimeEdit>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

TimeOfDayAnswerWidget::TimeOfDayAnswerWidget(const ORKTimeOfDayAnswerFormat& format,
                                             QWidget* parent)
    : AnswerWidget(format, parent), m_editor(new QTimeEdit(this)) {
    m_editor->setObjectName(u"answerTime"_s);
    m_editor->setDisplayFormat(u"HH:mm"_s);
    const QTime now = QTime::currentTime();
    const DateComponents start = format.defaultComponents.value_or(DateComponents{});
    m_editor->setTime(QTime(start.hour.value_or(now.hour()), start.minute.value_or(now.minute())));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    setFocusProxy(m_editor);
    connect(m_editor, &QTimeEdit::timeChanged, this, &AnswerWidget::answerChanged);
}

Value TimeOfDayAnswerWidget::answer() const {
    const QTime time = m_editor->time();
    return DateComponents{time.hour(), time.minute()};
}

void TimeOfDayAnswerWidget::setAnswer(const Value& answer) {
    if (const DateComponents* given = answer.as<DateComponents>(); given && given->hour) {
        m_editor->setTime(QTime(*given->hour, given->minute.value_or(0)));
    }
}

}  // namespace pathloom
