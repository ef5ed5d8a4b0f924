#include "taskscreens/answers/AnswerWidgets.h"

#include "run/AnswerKind.h"
#include "taskmodel/ORKBooleanAnswerFormat.h"
#include "taskmodel/ORKContinuousScaleAnswerFormat.h"
#include "taskmodel/ORKCurrencyAnswerFormat.h"
#include "taskmodel/ORKDateAnswerFormat.h"
#include "taskmodel/ORKHeightAnswerFormat.h"
#include "taskmodel/ORKImageChoiceAnswerFormat.h"
#include "taskmodel/ORKLocationAnswerFormat.h"
#include "taskmodel/ORKMultipleValuePickerAnswerFormat.h"
#include "taskmodel/ORKNumericAnswerFormat.h"
#include "taskmodel/ORKSESAnswerFormat.h"
#include "taskmodel/ORKScaleAnswerFormat.h"
#include "taskmodel/ORKTextAnswerFormat.h"
#include "taskmodel/ORKTextChoiceAnswerFormat.h"
#include "taskmodel/ORKTextScaleAnswerFormat.h"
#include "taskmodel/ORKTimeIntervalAnswerFormat.h"
#include "taskmodel/ORKTimeOfDayAnswerFormat.h"
#include "taskmodel/ORKValuePickerAnswerFormat.h"
#include "taskmodel/ORKWeightAnswerFormat.h"
#include "taskscreens/answers/BooleanAnswerWidget.h"
#include "taskscreens/answers/ContinuousScaleAnswerWidget.h"
#include "taskscreens/answers/CurrencyAnswerWidget.h"
#include "taskscreens/answers/DateAnswerWidget.h"
#include "taskscreens/answers/ImageChoiceAnswerWidget.h"
#include "taskscreens/answers/LocationAnswerWidget.h"
#include "taskscreens/answers/MeasurementAnswerWidget.h"
#include "taskscreens/answers/MultipleValuePickerAnswerWidget.h"
#include "taskscreens/answers/NoAnswerWidget.h"
#include "taskscreens/answers/NumericAnswerWidget.h"
#include "taskscreens/answers/ScaleAnswerWidget.h"
#include "taskscreens/answers/SesAnswerWidget.h"
#include "taskscreens/answers/TextAnswerWidget.h"
#include "taskscreens/answers/TextChoiceAnswerWidget.h"
#include "taskscreens/answers/TextScaleAnswerWidget.h"
#include "taskscreens/answers/TimeIntervalAnswerWidget.h"
#include "taskscreens/answers/TimeOfDayAnswerWidget.h"
#include "taskscreens/answers/ValuePickerAnswerWidget.h"

#include <algorithm>

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
        case AnswerKind::continuousScale:
            return new ContinuousScaleAnswerWidget(
                static_cast<const ORKContinuousScaleAnswerFormat&>(format), parent);
        case AnswerKind::textScale: {
            const auto& scale = static_cast<const ORKTextScaleAnswerFormat&>(format);
            if (scale.textChoices.isEmpty()) {
                console.print(u"A text scale without choices; it goes on without an answer"_s);
                return new NoAnswerWidget(format, parent);
            }
            return new TextScaleAnswerWidget(scale, parent);
        }
        case AnswerKind::valuePicker: {
            const auto& picker = static_cast<const ORKValuePickerAnswerFormat&>(format);
            if (picker.textChoices.isEmpty()) {
                console.print(u"A value picker without choices; it goes on without an answer"_s);
                return new NoAnswerWidget(format, parent);
            }
            return new ValuePickerAnswerWidget(format, picker.textChoices, parent);
        }
        case AnswerKind::imageChoice: {
            const auto& images = static_cast<const ORKImageChoiceAnswerFormat&>(format);
            if (images.imageChoices.isEmpty()) {
                console.print(u"An image choice without choices; it goes on without an answer"_s);
                return new NoAnswerWidget(format, parent);
            }
            return new ImageChoiceAnswerWidget(images, parent);
        }
        case AnswerKind::timeInterval:
            return new TimeIntervalAnswerWidget(
                static_cast<const ORKTimeIntervalAnswerFormat&>(format), parent);
        case AnswerKind::multipleValuePicker: {
            const auto& pickers = static_cast<const ORKMultipleValuePickerAnswerFormat&>(format);
            const bool canChoose =
                !pickers.valuePickers.isEmpty() &&
                std::ranges::all_of(pickers.valuePickers, [](const auto& picker) {
                    return picker && !picker->textChoices.isEmpty();
                });
            if (!canChoose) {
                console.print(u"A picker without choices; it goes on without an answer"_s);
                return new NoAnswerWidget(format, parent);
            }
            return new MultipleValuePickerAnswerWidget(pickers, parent);
        }
        case AnswerKind::height:
            return new MeasurementAnswerWidget(static_cast<const ORKHeightAnswerFormat&>(format),
                                               parent);
        case AnswerKind::weight:
            return new MeasurementAnswerWidget(static_cast<const ORKWeightAnswerFormat&>(format),
                                               parent);
        case AnswerKind::location: {
            const auto& location = static_cast<const ORKLocationAnswerFormat&>(format);
            if (location.useCurrentLocation) {
                console.print(u"No positioning service here; the place is entered by hand"_s);
            }
            return new LocationAnswerWidget(location, placeholder, parent);
        }
        case AnswerKind::ses:
            return new SesAnswerWidget(static_cast<const ORKSESAnswerFormat&>(format), parent);
        case AnswerKind::currency:
            return new CurrencyAnswerWidget(static_cast<const ORKCurrencyAnswerFormat&>(format),
                                            placeholder, parent);
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
