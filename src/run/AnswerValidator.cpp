#include "run/AnswerValidator.h"

#include "run/AnswerKind.h"
#include "session/ValueText.h"
#include "taskmodel/ORKConfirmTextAnswerFormat.h"
#include "taskmodel/ORKContinuousScaleAnswerFormat.h"
#include "taskmodel/ORKDateAnswerFormat.h"
#include "taskmodel/ORKDontKnowAnswer.h"
#include "taskmodel/ORKEmailAnswerFormat.h"
#include "taskmodel/ORKImageChoiceAnswerFormat.h"
#include "taskmodel/ORKLocation.h"
#include "taskmodel/ORKMultipleValuePickerAnswerFormat.h"
#include "taskmodel/ORKNumericAnswerFormat.h"
#include "taskmodel/ORKScaleAnswerFormat.h"
#include "taskmodel/ORKTextAnswerFormat.h"
#include "taskmodel/ORKTextChoiceAnswerFormat.h"
#include "taskmodel/ORKTextChoiceOther.h"
#include "taskmodel/ORKTextScaleAnswerFormat.h"
#include "taskmodel/ORKTimeIntervalAnswerFormat.h"
#include "taskmodel/ORKTimeOfDayAnswerFormat.h"
#include "taskmodel/ORKValuePickerAnswerFormat.h"
#include "taskmodel/ORKWeightAnswerFormat.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <cmath>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// Every message of this file, in one place.
namespace texts {

QString plural(qint64 count, const QString& one, const QString& many) {
    return count == 1 ? one : many;
}

const QString wrongKind = u"This answer does not fit the question."_s;
const QString noDontKnow = u"This question has no \"I don't know\" answer."_s;
const QString wholeNumber = u"Enter a whole number."_s;
QString numberFromTo(const QString& minimum, const QString& maximum) {
    return u"Enter a number from %1 to %2."_s.arg(minimum, maximum);
}
QString numberAtLeast(const QString& minimum) {
    return u"Enter a number of at least %1."_s.arg(minimum);
}
QString numberAtMost(const QString& maximum) {
    return u"Enter a number of at most %1."_s.arg(maximum);
}
QString fractionDigits(qint64 digits) {
    return u"Enter at most %1 %2 after the decimal point."_s.arg(
        QString::number(digits), plural(digits, u"digit"_s, u"digits"_s));
}
QString scaleWhole(const QString& minimum, const QString& maximum) {
    return u"Choose a whole number from %1 to %2."_s.arg(minimum, maximum);
}
QString scaleSteps(const QString& minimum, const QString& maximum, const QString& step) {
    return u"Choose a value from %1 to %2 in steps of %3."_s.arg(minimum, maximum, step);
}
QString valueFromTo(const QString& minimum, const QString& maximum) {
    return u"Choose a value from %1 to %2."_s.arg(minimum, maximum);
}
QString atMostCharacters(qint64 length) {
    return u"Enter at most %1 %2."_s.arg(QString::number(length),
                                         plural(length, u"character"_s, u"characters"_s));
}
const QString notMatching = u"Enter a valid answer."_s;
const QString email = u"Enter a valid email address."_s;
const QString confirmationDiffers = u"The answers do not match."_s;
const QString chooseListed = u"Choose one of the listed answers."_s;
const QString chooseOne = u"Choose only one answer."_s;
QString exclusive(const QString& choice) {
    return u"'%1' cannot be chosen together with other answers."_s.arg(choice);
}
const QString ownAnswer = u"Enter your own answer."_s;
const QString onEachWheel = u"Choose one value on each wheel."_s;
QString dateFromTo(const QString& minimum, const QString& maximum) {
    return u"Choose a date from %1 to %2."_s.arg(minimum, maximum);
}
QString dateOnOrAfter(const QString& minimum) {
    return u"Choose a date on or after %1."_s.arg(minimum);
}
QString dateOnOrBefore(const QString& maximum) {
    return u"Choose a date on or before %1."_s.arg(maximum);
}
QString minuteSteps(qint64 minutes) {
    return u"Choose a time in steps of %1 minutes."_s.arg(minutes);
}
const QString negativeDuration = u"Enter a duration of zero or more."_s;
QString durationSteps(qint64 minutes) {
    return u"Choose a duration in steps of %1 minutes."_s.arg(minutes);
}
const QString coordinate = u"Enter a latitude from -90 to 90 and a longitude from -180 to 180."_s;
QString rung(int lowest, int highest) {
    return u"Choose a rung from %1 to %2."_s.arg(lowest).arg(highest);
}
const QString height = u"Enter a height above zero."_s;
const QString weight = u"Enter a weight above zero."_s;
QString weightFromTo(const QString& minimum, const QString& maximum) {
    return u"Enter a weight from %1 to %2."_s.arg(minimum, maximum);
}

}  // namespace texts

// The rungs of the socio-economic ladder, bottom to top.
constexpr int kLowestRung = 1;
constexpr int kHighestRung = 10;

template <typename Format>
const Format& as(const ORKAnswerFormat& format) {
    return dynamic_cast<const Format&>(format);
}

// A number as the answers and the screens' controls give it: booleans are no numbers here.
std::optional<double> numberOf(const Value& answer) {
    if (answer.as<bool>()) {
        return std::nullopt;
    }
    const std::optional<double> number = answer.toDouble();
    return number && std::isfinite(*number) ? number : std::nullopt;
}

bool isWhole(double number) { return std::floor(number) == number; }

qint64 fractionDigitsOf(double number) {
    const QString text = QString::number(number, 'f', QLocale::FloatingPointShortest);
    const qsizetype point = text.indexOf(u'.');
    return point < 0 ? 0 : text.size() - point - 1;
}

// One choice of a list, as far as checking an answer needs it.
struct Choice {
    Value value;
    QString label;
    bool exclusive = false;
    bool other = false;
    bool otherTextOptional = true;
};

QString labelOf(const std::optional<QString>& text, const Value& value) {
    return text.value_or(stringValue(value).value_or(QString()));
}

QList<Choice> choicesOf(const QList<std::shared_ptr<ORKTextChoice>>& textChoices) {
    QList<Choice> choices;
    for (const std::shared_ptr<ORKTextChoice>& choice : textChoices) {
        if (!choice) {
            continue;
        }
        const auto* other = dynamic_cast<const ORKTextChoiceOther*>(choice.get());
        choices.append(Choice{choice->value, labelOf(choice->text, choice->value),
                              choice->exclusive, other != nullptr,
                              other ? other->textViewInputOptional : true});
    }
    return choices;
}

struct ChoiceList {
    QList<Choice> choices;
    bool single = true;
};

ChoiceList choiceListOf(AnswerKind kind, const ORKAnswerFormat& format) {
    constexpr qint64 kSingleChoiceStyle = 0;
    switch (kind) {
        case AnswerKind::textChoice: {
            const auto& text = as<ORKTextChoiceAnswerFormat>(format);
            return {choicesOf(text.textChoices), text.style == kSingleChoiceStyle};
        }
        case AnswerKind::valuePicker:
            return {choicesOf(as<ORKValuePickerAnswerFormat>(format).textChoices), true};
        case AnswerKind::textScale:
            return {choicesOf(as<ORKTextScaleAnswerFormat>(format).textChoices), true};
        case AnswerKind::imageChoice: {
            const auto& images = as<ORKImageChoiceAnswerFormat>(format);
            ChoiceList list{{}, images.style == kSingleChoiceStyle};
            for (const std::shared_ptr<ORKImageChoice>& choice : images.imageChoices) {
                if (choice) {
                    list.choices.append(
                        Choice{choice->value, labelOf(choice->text, choice->value)});
                }
            }
            return list;
        }
        default:
            return {};
    }
}

// Numbers compare by value whatever their kind, as a document's 2 and an answer's 2.0 are alike.
bool sameValue(const Value& a, const Value& b) {
    if (a.isNumber() && b.isNumber() && !a.as<bool>() && !b.as<bool>()) {
        return a.toDouble() == b.toDouble();
    }
    return a == b;
}

qsizetype indexOf(const QList<Choice>& choices, const Value& value) {
    for (qsizetype i = 0; i < choices.size(); ++i) {
        if (sameValue(choices[i].value, value)) {
            return i;
        }
    }
    return -1;
}

// A text that is no choice's value is the answer typed for the "other" choice, if there is one.
std::optional<QString> validateChoices(const ChoiceList& list, const Value& answer) {
    const Value::Array* array = answer.as<Value::Array>();
    const Value::Array chosen = array ? *array : Value::Array{answer};
    const auto other = std::find_if(list.choices.begin(), list.choices.end(),
                                    [](const Choice& choice) { return choice.other; });
    const qsizetype otherIndex = other - list.choices.begin();
    QSet<qsizetype> picked;
    bool otherTyped = false;
    for (const Value& value : chosen) {
        qsizetype index = indexOf(list.choices, value);
        if (index < 0 && other != list.choices.end() && value.as<QString>()) {
            index = otherIndex;
            otherTyped = true;
        }
        if (index < 0) {
            return texts::chooseListed;
        }
        picked.insert(index);
    }
    if (list.single && chosen.size() > 1) {
        return texts::chooseOne;
    }
    for (const qsizetype index : picked) {
        if (list.choices[index].exclusive && chosen.size() > 1) {
            return texts::exclusive(list.choices[index].label);
        }
    }
    if (picked.contains(otherIndex) && !otherTyped && !other->otherTextOptional) {
        return texts::ownAnswer;
    }
    return std::nullopt;
}

std::optional<QString> validatePickers(const ORKMultipleValuePickerAnswerFormat& format,
                                       const Value& answer) {
    const Value::Array* picked = answer.as<Value::Array>();
    if (!picked || picked->size() != format.valuePickers.size()) {
        return texts::onEachWheel;
    }
    for (qsizetype i = 0; i < picked->size(); ++i) {
        const std::shared_ptr<ORKValuePickerAnswerFormat>& picker = format.valuePickers[i];
        if (!picker || indexOf(choicesOf(picker->textChoices), picked->at(i)) < 0) {
            return texts::chooseListed;
        }
    }
    return std::nullopt;
}

std::optional<QString> validateNumeric(const ORKNumericAnswerFormat& format, double number) {
    constexpr qint64 kIntegerStyle = 1;
    if (format.style == kIntegerStyle && !isWhole(number)) {
        return texts::wholeNumber;
    }
    const bool belowMinimum = format.minimum && number < *format.minimum;
    const bool aboveMaximum = format.maximum && number > *format.maximum;
    if (belowMinimum || aboveMaximum) {
        if (format.minimum && format.maximum) {
            return texts::numberFromTo(numberText(*format.minimum), numberText(*format.maximum));
        }
        return belowMinimum ? texts::numberAtLeast(numberText(*format.minimum))
                            : texts::numberAtMost(numberText(*format.maximum));
    }
    if (format.style != kIntegerStyle && format.maximumFractionDigits &&
        fractionDigitsOf(number) > *format.maximumFractionDigits) {
        return texts::fractionDigits(*format.maximumFractionDigits);
    }
    return std::nullopt;
}

std::optional<QString> validateScale(const ORKScaleAnswerFormat& format, double number) {
    // A minimum above the maximum is read with the two swapped, as the scale's screen shows it;
    // otherwise no answer would fit and a required scale would be a dead end.
    const qint64 lower = std::min(format.minimum, format.maximum);
    const qint64 upper = std::max(format.minimum, format.maximum);
    const bool fits = isWhole(number) && number >= double(lower) && number <= double(upper) &&
                      (format.step <= 1 || qint64(number - double(lower)) % format.step == 0);
    if (fits) {
        return std::nullopt;
    }
    const QString minimum = QString::number(lower);
    const QString maximum = QString::number(upper);
    return format.step > 1 ? texts::scaleSteps(minimum, maximum, QString::number(format.step))
                           : texts::scaleWhole(minimum, maximum);
}

std::optional<QString> validateWeight(const ORKWeightAnswerFormat& format, double weight) {
    // Bounds that a document leaves out read as 0 and make no range.
    if (format.maximumValue > format.minimumValue) {
        if (weight < format.minimumValue || weight > format.maximumValue) {
            return texts::weightFromTo(numberText(format.minimumValue),
                                       numberText(format.maximumValue));
        }
        return std::nullopt;
    }
    return weight > 0 ? std::nullopt : std::optional(texts::weight);
}

std::optional<QString> validateNumber(AnswerKind kind, const ORKAnswerFormat& format,
                                      double number) {
    switch (kind) {
        case AnswerKind::numeric:
            return validateNumeric(as<ORKNumericAnswerFormat>(format), number);
        case AnswerKind::scale:
            return validateScale(as<ORKScaleAnswerFormat>(format), number);
        case AnswerKind::continuousScale: {
            const auto& scale = as<ORKContinuousScaleAnswerFormat>(format);
            if (number < scale.minimum || number > scale.maximum) {
                return texts::valueFromTo(numberText(scale.minimum), numberText(scale.maximum));
            }
            return std::nullopt;
        }
        case AnswerKind::timeInterval: {
            // The picker turns in steps of whole minutes.
            const qint64 step = as<ORKTimeIntervalAnswerFormat>(format).step;
            if (number < 0) {
                return texts::negativeDuration;
            }
            if (step > 1 && std::fmod(number, double(step) * 60) != 0) {
                return texts::durationSteps(step);
            }
            return std::nullopt;
        }
        case AnswerKind::ses:
            if (!isWhole(number) || number < kLowestRung || number > kHighestRung) {
                return texts::rung(kLowestRung, kHighestRung);
            }
            return std::nullopt;
        case AnswerKind::height:
            return number > 0 ? std::nullopt : std::optional(texts::height);
        case AnswerKind::weight:
            return validateWeight(as<ORKWeightAnswerFormat>(format), number);
        default:
            return std::nullopt;
    }
}

// The expression's option bits that Qt's engine has; the Unix line separator bit has no
// counterpart and changes nothing for one-line answers.
constexpr std::pair<quint32, QRegularExpression::PatternOption> kPatternOptions[] = {
    {1, QRegularExpression::CaseInsensitiveOption},
    {2, QRegularExpression::ExtendedPatternSyntaxOption},
    {8, QRegularExpression::DotMatchesEverythingOption},
    {16, QRegularExpression::MultilineOption},
    {64, QRegularExpression::UseUnicodePropertiesOption},
};
constexpr quint32 kIgnoreMetacharacters = 4;

QRegularExpression expressionOf(const RegularExpression& expression) {
    QRegularExpression::PatternOptions options;
    for (const auto& [bit, option] : kPatternOptions) {
        if (expression.options & bit) {
            options |= option;
        }
    }
    const QString pattern = (expression.options & kIgnoreMetacharacters)
                                ? QRegularExpression::escape(expression.pattern)
                                : expression.pattern;
    return QRegularExpression(pattern, options);
}

std::optional<QString> validateText(AnswerKind kind, const ORKTextAnswerFormat& format,
                                    const QString& text) {
    if (format.maximumLength > 0 && text.toUcs4().size() > format.maximumLength) {
        return texts::atMostCharacters(format.maximumLength);
    }
    if (format.validationRegularExpression) {
        // A pattern the engine cannot compile is the document's fault; it refuses nothing rather
        // than every answer.
        const QRegularExpression expression = expressionOf(*format.validationRegularExpression);
        if (expression.isValid() && !expression.match(text).hasMatch()) {
            return format.invalidMessage.value_or(texts::notMatching);
        }
    }
    if (kind == AnswerKind::email && !as<ORKEmailAnswerFormat>(format).usernameField) {
        static const QRegularExpression address(u"^[^\\s@]+@[^\\s@]+\\.[^\\s@.]+$"_s);
        if (!address.match(text).hasMatch()) {
            return texts::email;
        }
    }
    return std::nullopt;
}

std::optional<QString> validateDate(const ORKDateAnswerFormat& format, const QDateTime& date) {
    constexpr qint64 kDateOnlyStyle = 1;
    const bool dateOnly = format.style == kDateOnlyStyle;
    // A date-only answer is a day: its bounds are compared as days, in the answer's offset.
    const auto day = [&](const QDateTime& moment) {
        return moment.toOffsetFromUtc(date.offsetFromUtc()).date();
    };
    const auto before = [&](const QDateTime& a, const QDateTime& b) {
        return dateOnly ? day(a) < day(b) : a < b;
    };
    const auto shown = [&](const std::optional<QDateTime>& bound) {
        return dateOnly ? day(*bound).toString(Qt::ISODate) : iso8601Text(*bound);
    };
    const bool early = format.minimumDate && before(date, *format.minimumDate);
    const bool late = format.maximumDate && before(*format.maximumDate, date);
    if (early || late) {
        if (format.minimumDate && format.maximumDate) {
            return texts::dateFromTo(shown(format.minimumDate), shown(format.maximumDate));
        }
        return early ? texts::dateOnOrAfter(shown(format.minimumDate))
                     : texts::dateOnOrBefore(shown(format.maximumDate));
    }
    if (!dateOnly && format.minuteInterval > 1 &&
        date.time().minute() % format.minuteInterval != 0) {
        return texts::minuteSteps(format.minuteInterval);
    }
    return std::nullopt;
}

std::optional<QString> validateTimeOfDay(const ORKTimeOfDayAnswerFormat& format,
                                         const DateComponents& time) {
    const int hour = time.hour.value_or(-1);
    const int minute = time.minute.value_or(0);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) {
        return texts::wrongKind;
    }
    if (format.minuteInterval > 1 && minute % format.minuteInterval != 0) {
        return texts::minuteSteps(format.minuteInterval);
    }
    return std::nullopt;
}

std::optional<QString> validateLocation(const Value& answer) {
    const auto location = answer.object<ORKLocation>();
    if (!location) {
        return texts::wrongKind;
    }
    const Coordinate& at = location->coordinate;
    if (!(std::fabs(at.latitude) <= 90) || !(std::fabs(at.longitude) <= 180)) {
        return texts::coordinate;
    }
    return std::nullopt;
}

}  // namespace

std::optional<QString> AnswerValidator::validate(const ORKAnswerFormat& format,
                                                 const Value& answer) {
    if (answer.object<ORKDontKnowAnswer>()) {
        return format.showDontKnowButton ? std::nullopt : std::optional(texts::noDontKnow);
    }
    const AnswerKind kind = answerKind(format);
    if (isChoiceKind(kind)) {
        return validateChoices(choiceListOf(kind, format), answer);
    }
    if (isNumberKind(kind)) {
        const std::optional<double> number = numberOf(answer);
        return number ? validateNumber(kind, format, *number) : texts::wrongKind;
    }
    if (isTextKind(kind)) {
        const QString* text = answer.as<QString>();
        return text ? validateText(kind, as<ORKTextAnswerFormat>(format), *text) : texts::wrongKind;
    }
    switch (kind) {
        case AnswerKind::boolean:
            return answer.as<bool>() ? std::nullopt : std::optional(texts::wrongKind);
        case AnswerKind::multipleValuePicker:
            return validatePickers(as<ORKMultipleValuePickerAnswerFormat>(format), answer);
        case AnswerKind::date: {
            const QDateTime* date = answer.as<QDateTime>();
            return date && date->isValid() ? validateDate(as<ORKDateAnswerFormat>(format), *date)
                                           : texts::wrongKind;
        }
        case AnswerKind::timeOfDay: {
            const DateComponents* time = answer.as<DateComponents>();
            return time ? validateTimeOfDay(as<ORKTimeOfDayAnswerFormat>(format), *time)
                        : texts::wrongKind;
        }
        case AnswerKind::location:
            return validateLocation(answer);
        default:
            return std::nullopt;
    }
}

std::optional<QString> AnswerValidator::validateConfirmation(
    const ORKConfirmTextAnswerFormat& format, const Value& answer, const Value& original) {
    if (answer == original) {
        return std::nullopt;
    }
    return format.errorMessage.value_or(texts::confirmationDiffers);
}

}  // namespace pathloom
