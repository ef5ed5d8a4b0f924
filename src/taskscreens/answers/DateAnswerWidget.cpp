#include "taskscreens/answers/DateAnswerWidget.h"

#include "taskmodel/ORKDateAnswerFormat.h"

#include <QDateTimeEdit>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

DateAnswerWidget::DateAnswerWidget(const ORKDateAnswerFormat& format, QWidget* parent)
    : AnswerWidget(format, parent),
      m_dateOnly(format.style == 1),
      m_editor(new QDateTimeEdit(this)) {
    m_editor->setObjectName(u"answerDate"_s);
    m_editor->setCalendarPopup(true);
    m_editor->setDisplayFormat(m_dateOnly ? u"yyyy-MM-dd"_s : u"yyyy-MM-dd HH:mm"_s);
    m_editor->setTimeSpec(Qt::LocalTime);
    if (format.minimumDate) {
        m_editor->setMinimumDateTime(format.minimumDate->toLocalTime());
    }
    if (format.maximumDate) {
        m_editor->setMaximumDateTime(format.maximumDate->toLocalTime());
    }
    const QDateTime start =
        format.defaultDate ? format.defaultDate->toLocalTime() : QDateTime::currentDateTime();
    m_editor->setDateTime(m_dateOnly ? QDateTime(start.date(), QTime(0, 0)) : start);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    setFocusProxy(m_editor);
    connect(m_editor, &QDateTimeEdit::dateTimeChanged, this, &AnswerWidget::answerChanged);
}

Value DateAnswerWidget::answer() const {
    const QDateTime shown = m_editor->dateTime();
    return m_dateOnly ? QDateTime(shown.date(), QTime(0, 0)) : shown;
}

void DateAnswerWidget::setAnswer(const Value& answer) {
    if (const QDateTime* given = answer.as<QDateTime>()) {
        m_editor->setDateTime(given->toLocalTime());
    }
}

}  // namespace pathloom
