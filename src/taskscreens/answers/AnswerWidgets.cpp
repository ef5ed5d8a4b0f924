#include "taskscreens/answers/AnswerWidgets.h"

#include "run/AnswerKind.h"
#include "taskmodel/ORKBooleanAnswerFormat.h"
#include "taskmodel/ORKDateAnswerFormat.h"
#include "taskmodel/ORKNumericAnswerFormat.h"
#include "taskmodel/ORKScaleAnswerFormat.h"
#include "taskmodel/ORKTextAnswerFormat.h"
#include "taskmodel/ORKTextChoiceAnswerFormat.h"
#include "taskmodel/ORKTimeOfDayAnswerFormat.h"
#include "taskscreens/answers/BooleanAnswerWidget.h"
#include "taskscreens/answers/DateAnswerWidget.h"
#include "taskscreens/answers/NoAnswerWidget.h"
#include "taskscreens/answers/NumericAnswerWidget.h"
#include "taskscreens/answers/ScaleAnswerWidget.h"
#include "taskscreens/answers/TextAnswerWidget.h"
#include "taskscreens/answers/TextChoiceAnswerWidget.h"
#include "taskscreens/answers/TimeOfDayAnswerWidget.h"

namespace pathloom {

using namespace Qt::StringLiterals;

AnswerWidget* AnswerWidgets::make(const ORKAnswerFormat& format,
                                  const std::optional<QString>& placeholder,
                                  const DebugConsole& console, QWidget* parent) {
    switch (answerKind(format)) {
        case AnswerKind::text:
        case AnswerKind::email:
        case AnswerKind::confirmText:
            return new TextAnswerWidget(format, dynamic_cast<const ORKTextAnswerFormat*>(&format),
                                        placeholder, parent);
        case AnswerKind::textChoice: {
            const auto& choices = static_cast<const ORKTextChoiceAnswerFormat&>(format);
            if (choices.textChoices.isEmpty()) {
                console.print(u"A choice question without choices; it goes on without an answer"_s);
                return new NoAnswerWidget(format, parent);
            }
            return new TextChoiceAnswerWidget(choices, parent);
        }
        case AnswerKind::boolean:
            return new BooleanAnswerWidget(static_cast<const ORKBooleanAnswerFormat&>(format),
                                           parent);
        case AnswerKind::numeric:
            return new NumericAnswerWidget(static_cast<const ORKNumericAnswerFormat&>(format),
                                           placeholder, parent);
        case AnswerKind::scale:
            return new ScaleAnswerWidget(static_cast<const ORKScaleAnswerFormat&>(format), console,
                                         parent);
        case AnswerKind::date:
            return new DateAnswerWidget(static_cast<const ORKDateAnswerFormat&>(format), parent);
        case AnswerKind::timeOfDay:
            return new TimeOfDayAnswerWidget(static_cast<const ORKTimeOfDayAnswerFormat&>(format),
                                             parent);
        default:
            console.print(
                u"No widget answers this question's format; it goes on without an answer"_s);
            return new NoAnswerWidget(format, parent);
    }
}

}  // namespace pathloom
