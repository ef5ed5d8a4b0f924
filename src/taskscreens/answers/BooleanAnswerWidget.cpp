#include "taskscreens/answers/BooleanAnswerWidget.h"

#include "taskmodel/ORKBooleanAnswerFormat.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

BooleanAnswerWidget::BooleanAnswerWidget(const ORKBooleanAnswerFormat& format, QWidget* parent)
    : AnswerWidget(format, parent),
      m_yes(new QRadioButton(format.yes.value_or(u"Yes"_s), this)),
      m_no(new QRadioButton(format.no.value_or(u"No"_s), this)) {
    m_yes->setObjectName(u"yes"_s);
    m_no->setObjectName(u"no"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_yes, 0, Qt::AlignLeft);
    layout->addWidget(m_no, 0, Qt::AlignLeft);
    setFocusProxy(m_yes);
    connect(m_yes, &QRadioButton::toggled, this, &AnswerWidget::answerChanged);
    connect(m_no, &QRadioButton::toggled, this, &AnswerWidget::answerChanged);
}

Value BooleanAnswerWidget::answer() const {
    if (m_yes->isChecked()) {
        return true;
    }
    return m_no->isChecked() ? Value(false) : Value();
}

void BooleanAnswerWidget::setAnswer(const Value& answer) {
    const bool* given = answer.as<bool>();
    if (!answer.isNone() && given == nullptr) {
        return;
    }
    // Auto-exclusive marks cannot both be cleared one by one.
    m_yes->setAutoExclusive(false);
    m_no->setAutoExclusive(false);
    m_yes->setChecked(given != nullptr && *given);
    m_no->setChecked(given != nullptr && !*given);
    m_yes->setAutoExclusive(true);
    m_no->setAutoExclusive(true);
    Q_EMIT answerChanged();
}

}  // namespace pathloom
