#include "taskscreens/answers/AnswerWidget.h"

#include "run/QuestionAnswers.h"

namespace pathloom {

AnswerWidget::AnswerWidget(const ORKAnswerFormat& format, QWidget* parent)
    : QWidget(parent), m_format(format) {}

std::optional<QString> AnswerWidget::validationMessage() const {
    const Value given = answer();
    return QuestionAnswers::isAnswered(given) ? QuestionAnswers::validate(m_format, given)
                                              : std::nullopt;
}

bool AnswerWidget::isAnswered() const { return QuestionAnswers::isAnswered(answer()); }

}  // namespace pathloom
