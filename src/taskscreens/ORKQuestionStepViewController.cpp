#include "taskscreens/ORKQuestionStepViewController.h"

#include "platform/SystemPalette.h"
#include "platform/TextStyles.h"
#include "run/QuestionAnswers.h"
#include "taskmodel/ORKQuestionResult.h"
#include "taskmodel/ORKQuestionStep.h"
#include "taskmodel/ORKStepResult.h"
#include "taskscreens/LearnMoreDialog.h"
#include "taskscreens/ORKBodyLabel.h"
#include "taskscreens/ORKTitleLabel.h"
#include "taskscreens/answers/AnswerWidget.h"
#include "taskscreens/answers/AnswerWidgets.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

ORKQuestionStepViewController::ORKQuestionStepViewController(std::shared_ptr<ORKStep> step,
                                                             ORKTaskViewController& task,
                                                             const DebugConsole& console,
                                                             QWidget* parent)
    : ORKStepViewController(step, task, parent),
      m_question(static_cast<const ORKQuestionStep&>(*step)),
      m_widget(AnswerWidgets::make(*m_question.answerFormat, m_question.placeholder, console)),
      m_message(new QLabel) {
    QVBoxLayout& content = *contentLayout();
    if (m_question.title) {
        content.addWidget(new ORKTitleLabel(*m_question.title));
    }
    if (m_question.question) {
        content.addWidget(new ORKBodyLabel(*m_question.question));
    }
    if (m_question.text) {
        content.addWidget(new ORKBodyLabel(*m_question.text));
    }
    if (m_question.detailText) {
        content.addWidget(
            new ORKBodyLabel(*m_question.detailText, ORKBodyLabel::Emphasis::secondary));
    }
    if (m_question.learnMoreItem) {
        content.addWidget(LearnMoreDialog::link(m_question.learnMoreItem, this), 0, Qt::AlignLeft);
    }
    m_widget->setObjectName(u"answer"_s);
    m_widget->setAccessibleName(m_question.question.value_or(m_question.title.value_or(QString())));
    content.addWidget(m_widget);
    m_message->setObjectName(u"validationMessage"_s);
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setFont(TextStyles::font(TextStyles::Style::footnote));
    QPalette palette = m_message->palette();
    palette.setColor(QPalette::WindowText, SystemPalette::color(SystemPalette::Role::systemRed));
    m_message->setPalette(palette);
    content.addWidget(m_message);
    if (m_question.answerFormat->showDontKnowButton) {
        m_dontKnow = new QPushButton(
            m_question.answerFormat->customDontKnowButtonText.value_or(u"I don't know"_s));
        m_dontKnow->setObjectName(u"dontKnow"_s);
        m_dontKnow->setCheckable(true);
        connect(m_dontKnow, &QPushButton::clicked, this, [this] { chooseDontKnow(); });
        content.addWidget(m_dontKnow, 0, Qt::AlignLeft);
    }
    connect(m_widget, &AnswerWidget::answerChanged, this, [this] {
        m_dontKnowChosen = false;
        update();
    });
    if (const auto previous = previousResult()) {
        for (const std::shared_ptr<ORKResult>& result : previous->results) {
            const auto answered = std::dynamic_pointer_cast<const ORKQuestionResult>(result);
            if (answered && answered->identifier == m_question.identifier) {
                setAnswer(answered->answer);
            }
        }
    } else if (const std::optional<Value> initial =
                   QuestionAnswers::defaultAnswer(*m_question.answerFormat)) {
        m_widget->setAnswer(*initial);
    }
    setFocusProxy(m_widget);
    update();
}

Value ORKQuestionStepViewController::answer() const {
    return m_dontKnowChosen ? QuestionAnswers::dontKnowAnswer() : m_widget->answer();
}

void ORKQuestionStepViewController::setAnswer(const Value& answer) {
    if (answer == QuestionAnswers::dontKnowAnswer() && m_dontKnow != nullptr) {
        chooseDontKnow();
        return;
    }
    m_widget->setAnswer(answer);
}

void ORKQuestionStepViewController::chooseDontKnow() {
    m_widget->setAnswer(Value());
    m_dontKnowChosen = true;
    update();
}

void ORKQuestionStepViewController::update() {
    const std::optional<QString> message =
        m_dontKnowChosen ? std::nullopt : m_widget->validationMessage();
    m_message->setText(message.value_or(QString()));
    m_message->setVisible(message.has_value());
    if (m_dontKnow != nullptr) {
        m_dontKnow->setChecked(m_dontKnowChosen);
    }
    const bool answered = m_dontKnowChosen || m_widget->isAnswered();
    const bool optional = m_question.optional || !m_widget->takesAnswers();
    continueButtonItem()->setEnabled(answered ? !message.has_value() : optional);
}

void ORKQuestionStepViewController::willLeave(ORKStepViewControllerNavigationDirection) {
    const Value given = answer();
    if (!QuestionAnswers::isAnswered(given) || m_widget->validationMessage()) {
        return;
    }
    addResult(QuestionAnswers::result(m_question.identifier, *m_question.answerFormat, given));
}

}  // namespace pathloom
