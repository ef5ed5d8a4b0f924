#include "taskscreens/answers/SesAnswerWidget.h"

#include "platform/TextStyles.h"
#include "taskmodel/ORKSESAnswerFormat.h"
#include "taskscreens/answers/ArrowKeyFocus.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kRungs = 10;
constexpr int kRungHeight = 24;

QLabel* endText(const std::optional<QString>& text, QWidget* parent) {
    auto* label = new QLabel(text.value_or(QString()), parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(TextStyles::font(TextStyles::Style::footnote));
    label->setVisible(text.has_value());
    return label;
}

}  // namespace

SesAnswerWidget::SesAnswerWidget(const ORKSESAnswerFormat& format, QWidget* parent)
    : AnswerWidget(format, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(endText(format.topRungText, this));
    auto* group = new QButtonGroup(this);
    auto* arrows = new ArrowKeyFocus(this);
    for (int rung = kRungs; rung >= 1; --rung) {
        auto* button = new QPushButton(QString::number(rung), this);
        button->setObjectName(u"rung:%1"_s.arg(rung));
        button->setCheckable(true);
        button->setFixedHeight(kRungHeight);
        button->setAccessibleName(u"Rung %1 of %2"_s.arg(rung).arg(kRungs));
        group->addButton(button, rung);
        arrows->add(button);
        layout->addWidget(button);
        m_rungs.append(button);
    }
    layout->addWidget(endText(format.bottomRungText, this));
    setFocusProxy(m_rungs.first());
    connect(group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            Q_EMIT answerChanged();
        }
    });
}

Value SesAnswerWidget::answer() const {
    for (qsizetype index = 0; index < m_rungs.size(); ++index) {
        if (m_rungs[index]->isChecked()) {
            return static_cast<qint64>(kRungs - index);
        }
    }
    return {};
}

void SesAnswerWidget::setAnswer(const Value& answer) {
    const std::optional<qint64> rung = answer.isNumber() ? answer.toInteger() : std::nullopt;
    if (!answer.isNone() && (!rung || *rung < 1 || *rung > kRungs)) {
        return;
    }
    // The group keeps one rung checked; clearing takes it out of the group's rule for a moment.
    const qint64 chosen = rung.value_or(0);
    QButtonGroup* group = m_rungs.first()->group();
    group->setExclusive(false);
    for (qsizetype index = 0; index < m_rungs.size(); ++index) {
        m_rungs[index]->setChecked(kRungs - index == chosen);
    }
    group->setExclusive(true);
    Q_EMIT answerChanged();
}

}  // namespace pathloom
