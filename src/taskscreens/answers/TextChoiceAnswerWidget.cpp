#include "taskscreens/answers/TextChoiceAnswerWidget.h"

#include "taskmodel/ORKTextChoiceAnswerFormat.h"
#include "taskmodel/ORKTextChoiceOther.h"
#include "taskscreens/ORKBodyLabel.h"
#include "taskscreens/answers/ArrowKeyFocus.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kDetailIndent = 26;

}  // namespace

TextChoiceAnswerWidget::TextChoiceAnswerWidget(const ORKTextChoiceAnswerFormat& format,
                                               QWidget* parent)
    : AnswerWidget(format, parent), m_choices(format), m_group(new QButtonGroup(this)) {
    const bool single = format.style == 0;
    m_group->setExclusive(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* arrows = new ArrowKeyFocus(this);
    for (qsizetype index = 0; index < format.textChoices.size(); ++index) {
        const ORKTextChoice& choice = *format.textChoices[index];
        const QString text = choice.text.value_or(QString());
        QAbstractButton* mark = single ? static_cast<QAbstractButton*>(new QRadioButton(text, this))
                                       : new QCheckBox(text, this);
        mark->setObjectName(u"choice:%1"_s.arg(index));
        // Radio marks in one exclusive group could not be cleared again by an exclusive choice;
        // the group only routes the signals and single choice is kept here.
        mark->setAutoExclusive(false);
        m_group->addButton(mark, static_cast<int>(index));
        arrows->add(mark);
        // A mark answers clicks on its box and text only; sized to them, a click beside the text
        // cannot look like a choice that did nothing.
        layout->addWidget(mark, 0, Qt::AlignLeft);
        if (choice.detailText) {
            auto* detail =
                new ORKBodyLabel(*choice.detailText, ORKBodyLabel::Emphasis::secondary, this);
            detail->setContentsMargins(kDetailIndent, 0, 0, 0);
            layout->addWidget(detail);
        }
        QLineEdit* otherText = nullptr;
        if (const auto* other = dynamic_cast<const ORKTextChoiceOther*>(&choice)) {
            otherText = new QLineEdit(this);
            otherText->setObjectName(u"otherText:%1"_s.arg(index));
            otherText->setPlaceholderText(other->textViewPlaceholderText.value_or(QString()));
            otherText->setAccessibleName(text);
            otherText->setVisible(!other->textViewStartsHidden);
            connect(otherText, &QLineEdit::textChanged, this, &AnswerWidget::answerChanged);
            layout->addWidget(otherText);
        }
        m_rows.append({mark, otherText});
    }
    if (!m_rows.isEmpty()) {
        setFocusProxy(m_rows.first().mark);
    }
    connect(m_group, &QButtonGroup::idToggled, this,
            [this](int id, bool checked) { toggled(id, checked); });
}

void TextChoiceAnswerWidget::toggled(qsizetype index, bool checked) {
    if (checked) {
        const bool single = m_choices.style == 0;
        const bool exclusive = m_choices.textChoices[index]->exclusive;
        for (qsizetype other = 0; other < m_rows.size(); ++other) {
            if (other == index || !m_rows[other].mark->isChecked()) {
                continue;
            }
            if (single || exclusive || m_choices.textChoices[other]->exclusive) {
                const QSignalBlocker blocker(m_rows[other].mark);
                m_rows[other].mark->setChecked(false);
            }
        }
    }
    if (QLineEdit* otherText = m_rows[index].otherText) {
        const auto& other = static_cast<const ORKTextChoiceOther&>(*m_choices.textChoices[index]);
        otherText->setVisible(checked || !other.textViewStartsHidden);
    }
    Q_EMIT answerChanged();
}

Value TextChoiceAnswerWidget::answer() const {
    Value::Array chosen;
    for (qsizetype index = 0; index < m_rows.size(); ++index) {
        if (!m_rows[index].mark->isChecked()) {
            continue;
        }
        const QLineEdit* otherText = m_rows[index].otherText;
        if (otherText != nullptr && !otherText->text().isEmpty()) {
            chosen.append(otherText->text());
        } else {
            chosen.append(m_choices.textChoices[index]->value);
        }
    }
    return chosen.isEmpty() ? Value() : Value(chosen);
}

void TextChoiceAnswerWidget::setAnswer(const Value& answer) {
    const Value::Array* given = answer.as<Value::Array>();
    if (!answer.isNone() && given == nullptr) {
        return;
    }
    const Value::Array values = given != nullptr ? *given : Value::Array{};
    for (qsizetype index = 0; index < m_rows.size(); ++index) {
        const Value& value = m_choices.textChoices[index]->value;
        bool chosen = values.contains(value);
        if (QLineEdit* otherText = m_rows[index].otherText) {
            // A text that is no choice's value is what was typed for the "other" choice.
            QString typed;
            for (const Value& candidate : values) {
                const QString* text = candidate.as<QString>();
                const bool isChoice = std::ranges::any_of(
                    m_choices.textChoices,
                    [&](const auto& choice) { return choice->value == candidate; });
                if (text != nullptr && !isChoice) {
                    typed = *text;
                }
            }
            chosen = chosen || !typed.isEmpty();
            const QSignalBlocker blocker(otherText);
            otherText->setText(typed);
        }
        const QSignalBlocker blocker(m_rows[index].mark);
        m_rows[index].mark->setChecked(chosen);
        if (QLineEdit* otherText = m_rows[index].otherText) {
            const auto& other =
                static_cast<const ORKTextChoiceOther&>(*m_choices.textChoices[index]);
            otherText->setVisible(chosen || !other.textViewStartsHidden);
        }
    }
    Q_EMIT answerChanged();
}

}  // namespace pathloom
