#include "taskscreens/answers/AnswerWidget.h"

#include "run/QuestionAnswers.h"

#include <cmath>

namespace pathloom {

AnswerWidget::AnswerWidget(const ORKAnswerFormat& format, QWidget* parent)
    : QWidget(parent), m_format(format) {}

std::optional<QString> AnswerWidget::validationMessage() const {
    const Value given = answer();
    return QuestionAnswers::isAnswered(given) ? QuestionAnswers::validate(m_format, given)
                                              : std::nullopt;
}

Value AnswerWidget::number(double value) {
    constexpr double kLargestExactInteger = 9007199254740992.0;
    if (std::trunc(value) == value && std::abs(value) < kLargestExactInteger) {
        return static_cast<qint64>(value);
    }
    return value;
}

bool AnswerWidget::isAnswered() const { return QuestionAnswers::isAnswered(answer()); }

}  // namespace pathloom
