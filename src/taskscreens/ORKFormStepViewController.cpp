#include "taskscreens/ORKFormStepViewController.h"

#include "platform/SystemPalette.h"
#include "platform/TextStyles.h"
#include "run/AnswerValidator.h"
#include "run/QuestionAnswers.h"
#include "taskmodel/ORKConfirmTextAnswerFormat.h"
#include "taskmodel/ORKFormItem.h"
#include "taskmodel/ORKFormStep.h"
#include "taskmodel/ORKQuestionResult.h"
#include "taskmodel/ORKStepResult.h"
#include "taskscreens/LearnMoreDialog.h"
#include "taskscreens/ORKBodyLabel.h"
#include "taskscreens/ORKTitleLabel.h"
#include "taskscreens/answers/AnswerWidget.h"
#include "taskscreens/answers/AnswerWidgets.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kCardPadding = 12;
constexpr int kRowSpacing = 6;

QLabel* messageLabel() {
    auto* label = new QLabel;
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setFont(TextStyles::font(TextStyles::Style::footnote));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, SystemPalette::color(SystemPalette::Role::systemRed));
    label->setPalette(palette);
    label->hide();
    return label;
}

}  // namespace

ORKFormStepViewController::ORKFormStepViewController(std::shared_ptr<ORKStep> step,
                                                     ORKTaskViewController& task,
                                                     const DebugConsole& console, QWidget* parent)
    : ORKStepViewController(step, task, parent), m_form(static_cast<const ORKFormStep&>(*step)) {
    QVBoxLayout& content = *contentLayout();
    if (m_form.title) {
        content.addWidget(new ORKTitleLabel(*m_form.title));
    }
    if (m_form.text) {
        content.addWidget(new ORKBodyLabel(*m_form.text));
    }
    if (m_form.detailText) {
        content.addWidget(new ORKBodyLabel(*m_form.detailText, ORKBodyLabel::Emphasis::secondary));
    }
    m_rows.reserve(m_form.formItems.size());
    for (const std::shared_ptr<ORKFormItem>& item : m_form.formItems) {
        if (!item) {
            continue;
        }
        if (!item->answerFormat) {
            auto* header = new QLabel(item->text.value_or(QString()));
            header->setObjectName(u"section:"_s + item->identifier);
            header->setTextFormat(Qt::PlainText);
            header->setWordWrap(true);
            header->setFont(TextStyles::font(TextStyles::Style::headline));
            content.addWidget(header);
            continue;
        }
        m_rows.append({item, nullptr, nullptr, nullptr});
        content.addWidget(makeRow(m_rows.last(), console, m_form.useCardView));
    }
    if (m_form.footerText) {
        content.addWidget(new ORKBodyLabel(*m_form.footerText, ORKBodyLabel::Emphasis::secondary));
    }
    const auto previous = previousResult();
    for (Row& each : m_rows) {
        if (previous) {
            for (const std::shared_ptr<ORKResult>& result : previous->results) {
                const auto answered = std::dynamic_pointer_cast<const ORKQuestionResult>(result);
                if (answered && answered->identifier == each.item->identifier) {
                    setAnswer(each.item->identifier, answered->answer);
                }
            }
        } else if (const std::optional<Value> initial =
                       QuestionAnswers::defaultAnswer(*each.item->answerFormat)) {
            each.widget->setAnswer(*initial);
        }
    }
    update();
}

QWidget* ORKFormStepViewController::makeRow(Row& row, const DebugConsole& console, bool card) {
    const ORKFormItem& item = *row.item;
    auto* frame = new QFrame;
    frame->setObjectName(u"item:"_s + item.identifier);
    auto* layout = new QVBoxLayout(frame);
    layout->setSpacing(kRowSpacing);
    if (card) {
        frame->setAutoFillBackground(true);
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setBackgroundRole(QPalette::AlternateBase);
        layout->setContentsMargins(kCardPadding, kCardPadding, kCardPadding, kCardPadding);
    } else {
        layout->setContentsMargins(0, 0, 0, 0);
    }
    if (item.text) {
        auto* label = new QLabel(*item.text);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setFont(TextStyles::font(TextStyles::Style::subheadline));
        layout->addWidget(label);
    }
    if (item.detailText) {
        layout->addWidget(new ORKBodyLabel(*item.detailText, ORKBodyLabel::Emphasis::secondary));
    }
    if (item.learnMoreItem) {
        layout->addWidget(LearnMoreDialog::link(item.learnMoreItem, frame), 0, Qt::AlignLeft);
    }
    row.widget = AnswerWidgets::make(*item.answerFormat, item.placeholder, console);
    row.widget->setObjectName(u"answer:"_s + item.identifier);
    row.widget->setAccessibleName(item.text.value_or(item.identifier));
    layout->addWidget(row.widget);
    row.message = messageLabel();
    row.message->setObjectName(u"validationMessage:"_s + item.identifier);
    layout->addWidget(row.message);
    const QString identifier = item.identifier;
    if (item.answerFormat->showDontKnowButton) {
        row.dontKnow = new QPushButton(
            item.answerFormat->customDontKnowButtonText.value_or(u"I don't know"_s));
        row.dontKnow->setObjectName(u"dontKnow:"_s + identifier);
        row.dontKnow->setCheckable(true);
        connect(row.dontKnow, &QPushButton::clicked, this, [this, identifier] {
            if (Row* chosen = this->row(identifier)) {
                chooseDontKnow(*chosen);
            }
        });
        layout->addWidget(row.dontKnow, 0, Qt::AlignLeft);
    }
    connect(row.widget, &AnswerWidget::answerChanged, this, [this, identifier] {
        if (Row* changed = this->row(identifier)) {
            changed->dontKnowChosen = false;
        }
        update();
    });
    return frame;
}

ORKFormStepViewController::Row* ORKFormStepViewController::row(const QString& identifier) {
    for (Row& each : m_rows) {
        if (each.item->identifier == identifier) {
            return &each;
        }
    }
    return nullptr;
}

const ORKFormStepViewController::Row* ORKFormStepViewController::row(
    const QString& identifier) const {
    return const_cast<ORKFormStepViewController*>(this)->row(identifier);
}

AnswerWidget* ORKFormStepViewController::answerWidget(const QString& identifier) const {
    const Row* found = row(identifier);
    return found != nullptr ? found->widget : nullptr;
}

Value ORKFormStepViewController::answer(const QString& identifier) const {
    const Row* found = row(identifier);
    return found != nullptr ? answer(*found) : Value();
}

Value ORKFormStepViewController::answer(const Row& row) const {
    return row.dontKnowChosen ? QuestionAnswers::dontKnowAnswer() : row.widget->answer();
}

void ORKFormStepViewController::setAnswer(const QString& identifier, const Value& answer) {
    Row* found = row(identifier);
    if (found == nullptr) {
        return;
    }
    if (answer == QuestionAnswers::dontKnowAnswer() && found->dontKnow != nullptr) {
        chooseDontKnow(*found);
        return;
    }
    found->widget->setAnswer(answer);
}

void ORKFormStepViewController::chooseDontKnow(Row& row) {
    row.widget->setAnswer(Value());
    row.dontKnowChosen = true;
    update();
}

std::optional<QString> ORKFormStepViewController::message(const Row& row) const {
    if (row.dontKnowChosen) {
        return std::nullopt;
    }
    if (std::optional<QString> refused = row.widget->validationMessage()) {
        return refused;
    }
    const auto* confirm =
        dynamic_cast<const ORKConfirmTextAnswerFormat*>(row.item->answerFormat.get());
    if (confirm == nullptr || !row.widget->isAnswered()) {
        return std::nullopt;
    }
    return AnswerValidator::validateConfirmation(
        *confirm, row.widget->answer(),
        answer(confirm->originalItemIdentifier.value_or(QString())));
}

void ORKFormStepViewController::update() {
    bool complete = true;
    for (Row& each : m_rows) {
        const std::optional<QString> refused = message(each);
        each.message->setText(refused.value_or(QString()));
        each.message->setVisible(refused.has_value());
        if (each.dontKnow != nullptr) {
            each.dontKnow->setChecked(each.dontKnowChosen);
        }
        const bool answered = each.dontKnowChosen || each.widget->isAnswered();
        const bool optional =
            !QuestionAnswers::isRequired(*each.item) || !each.widget->takesAnswers();
        complete = complete && (answered ? !refused.has_value() : optional);
    }
    continueButtonItem()->setEnabled(complete);
}

void ORKFormStepViewController::willLeave(ORKStepViewControllerNavigationDirection) {
    for (const Row& each : m_rows) {
        const Value given = answer(each);
        if (QuestionAnswers::isAnswered(given) && !message(each)) {
            addResult(
                QuestionAnswers::result(each.item->identifier, *each.item->answerFormat, given));
        }
    }
}

}  // namespace pathloom
