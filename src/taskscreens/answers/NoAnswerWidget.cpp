#include "taskscreens/answers/NoAnswerWidget.h"

namespace pathloom {

Value NoAnswerWidget::answer() const { return {}; }

void NoAnswerWidget::setAnswer(const Value&) {}

bool NoAnswerWidget::takesAnswers() const { return false; }

}  // namespace pathloom
