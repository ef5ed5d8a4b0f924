#include "run/AnswerKind.h"

#include "taskmodel/ORKBooleanAnswerFormat.h"
#include "taskmodel/ORKConfirmTextAnswerFormat.h"
#include "taskmodel/ORKContinuousScaleAnswerFormat.h"
#include "taskmodel/ORKCurrencyAnswerFormat.h"
#include "taskmodel/ORKDateAnswerFormat.h"
#include "taskmodel/ORKEmailAnswerFormat.h"
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

#include <utility>

namespace pathloom {

namespace {

template <typename Format>
bool is(const ORKAnswerFormat& format) {
    return dynamic_cast<const Format*>(&format) != nullptr;
}

// Subclasses come before the classes they derive from (e-mail and confirmation are texts).
constexpr std::pair<bool (*)(const ORKAnswerFormat&), AnswerKind> kKinds[] = {
    {is<ORKBooleanAnswerFormat>, AnswerKind::boolean},
    {is<ORKTextChoiceAnswerFormat>, AnswerKind::textChoice},
    {is<ORKValuePickerAnswerFormat>, AnswerKind::valuePicker},
    {is<ORKImageChoiceAnswerFormat>, AnswerKind::imageChoice},
    {is<ORKTextScaleAnswerFormat>, AnswerKind::textScale},
    {is<ORKMultipleValuePickerAnswerFormat>, AnswerKind::multipleValuePicker},
    {is<ORKNumericAnswerFormat>, AnswerKind::numeric},
    {is<ORKScaleAnswerFormat>, AnswerKind::scale},
    {is<ORKContinuousScaleAnswerFormat>, AnswerKind::continuousScale},
    {is<ORKDateAnswerFormat>, AnswerKind::date},
    {is<ORKTimeOfDayAnswerFormat>, AnswerKind::timeOfDay},
    {is<ORKTimeIntervalAnswerFormat>, AnswerKind::timeInterval},
    {is<ORKEmailAnswerFormat>, AnswerKind::email},
    {is<ORKConfirmTextAnswerFormat>, AnswerKind::confirmText},
    {is<ORKTextAnswerFormat>, AnswerKind::text},
    {is<ORKLocationAnswerFormat>, AnswerKind::location},
    {is<ORKSESAnswerFormat>, AnswerKind::ses},
    {is<ORKHeightAnswerFormat>, AnswerKind::height},
    {is<ORKWeightAnswerFormat>, AnswerKind::weight},
    {is<ORKCurrencyAnswerFormat>, AnswerKind::currency},
};

}  // namespace

AnswerKind answerKind(const ORKAnswerFormat& format) {
    for (const auto& [matches, kind] : kKinds) {
        if (matches(format)) {
            return kind;
        }
    }
    return AnswerKind::other;
}

bool isChoiceKind(AnswerKind kind) {
    return kind == AnswerKind::textChoice || kind == AnswerKind::valuePicker ||
           kind == AnswerKind::imageChoice || kind == AnswerKind::textScale;
}

bool isNumberKind(AnswerKind kind) {
    return kind == AnswerKind::numeric || kind == AnswerKind::scale ||
           kind == AnswerKind::continuousScale || kind == AnswerKind::timeInterval ||
           kind == AnswerKind::ses || kind == AnswerKind::height || kind == AnswerKind::weight ||
           kind == AnswerKind::currency;
}

bool isTextKind(AnswerKind kind) {
    return kind == AnswerKind::text || kind == AnswerKind::email || kind == AnswerKind::confirmText;
}

}  // namespace pathloom
