#include "serialization/rows/Rows.h"

#include "serialization/EncodingTable.h"
#include "serialization/ValueForms.h"
#include "taskmodel/ORKBooleanAnswerFormat.h"
#include "taskmodel/ORKConfirmTextAnswerFormat.h"
#include "taskmodel/ORKContinuousScaleAnswerFormat.h"
#include "taskmodel/ORKCurrencyAnswerFormat.h"
#include "taskmodel/ORKDateAnswerFormat.h"
#include "taskmodel/ORKDontKnowAnswer.h"
#include "taskmodel/ORKEmailAnswerFormat.h"
#include "taskmodel/ORKHeightAnswerFormat.h"
#include "taskmodel/ORKImageChoiceAnswerFormat.h"
#include "taskmodel/ORKLocationAnswerFormat.h"
#include "taskmodel/ORKMeasurementSystem.h"
#include "taskmodel/ORKMultipleValuePickerAnswerFormat.h"
#include "taskmodel/ORKNumericAnswerFormat.h"
#include "taskmodel/ORKSESAnswerFormat.h"
#include "taskmodel/ORKScaleAnswerFormat.h"
#include "taskmodel/ORKTextChoiceAnswerFormat.h"
#include "taskmodel/ORKTextChoiceOther.h"
#include "taskmodel/ORKTextScaleAnswerFormat.h"
#include "taskmodel/ORKTimeIntervalAnswerFormat.h"
#include "taskmodel/ORKTimeOfDayAnswerFormat.h"
#include "taskmodel/ORKWeightAnswerFormat.h"

#include <limits>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// The style tables: the names of each enumeration, index = value, each built once.
const QStringList& choiceAnswerStyleTable() {
    static const QStringList names{u"singleChoice"_s, u"multipleChoice"_s};
    return names;
}

const QStringList& imageChoiceAnswerStyleTable() {
    static const QStringList names{u"singleChoice"_s, u"multipleChoice"_s};
    return names;
}

const QStringList& dateAnswerStyleTable() {
    static const QStringList names{u"dateTime"_s, u"date"_s};
    return names;
}

const QStringList& numericAnswerStyleTable() {
    static const QStringList names{u"decimal"_s, u"integer"_s};
    return names;
}

const QStringList& numberFormattingStyleTable() {
    static const QStringList names{u"default"_s, u"percent"_s};
    return names;
}

// The scale formats take their absence of a default as a value outside any sensible range.
constexpr qint64 kNoScaleDefault = std::numeric_limits<qint32>::max();
constexpr double kNoContinuousScaleDefault = std::numeric_limits<double>::max();

using TextChoices = QList<std::shared_ptr<ORKTextChoice>>;

void addChoiceRows(EncodingTable& table) {
    table.row<ORKTextChoiceAnswerFormat, ORKAnswerFormat>(u"ORKTextChoiceAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKTextChoiceAnswerFormat>(
                get.integer(u"style"_s), get.get<TextChoices>(u"textChoices"_s));
        })
        .initProperty(u"style"_s, &ORKTextChoiceAnswerFormat::style,
                      form::styleName(choiceAnswerStyleTable()))
        .initProperty(u"textChoices"_s, &ORKTextChoiceAnswerFormat::textChoices,
                      form::arrayOf(form::object(u"ORKTextChoice"_s)));

    table.row<ORKTextChoice, ORKObject>(u"ORKTextChoice"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKTextChoice>(get.get<std::optional<QString>>(u"text"_s),
                                                   get.get<std::optional<QString>>(u"detailText"_s),
                                                   get.value(u"value"_s),
                                                   get.boolean(u"exclusive"_s));
        })
        .initProperty(u"text"_s, &ORKTextChoice::text, form::string())
        .initProperty(u"value"_s, &ORKTextChoice::value, form::anyValue())
        .initProperty(u"detailText"_s, &ORKTextChoice::detailText, form::string())
        .initProperty(u"exclusive"_s, &ORKTextChoice::exclusive, form::number());

    table.row<ORKTextChoiceOther, ORKTextChoice>(u"ORKTextChoiceOther"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKTextChoiceOther>(
                get.get<std::optional<QString>>(u"text"_s),
                get.get<std::optional<QString>>(u"detailText"_s), get.value(u"value"_s),
                get.boolean(u"exclusive"_s),
                get.get<std::optional<QString>>(u"textViewPlaceholderText"_s),
                get.boolean(u"textViewInputOptional"_s), get.boolean(u"textViewStartsHidden"_s));
        })
        .initProperty(u"textViewPlaceholderText"_s, &ORKTextChoiceOther::textViewPlaceholderText,
                      form::string())
        .initProperty(u"textViewInputOptional"_s, &ORKTextChoiceOther::textViewInputOptional,
                      form::number())
        .initProperty(u"textViewStartsHidden"_s, &ORKTextChoiceOther::textViewStartsHidden,
                      form::number());

    table.row<ORKImageChoiceAnswerFormat, ORKAnswerFormat>(u"ORKImageChoiceAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKImageChoiceAnswerFormat>(
                get.get<QList<std::shared_ptr<ORKImageChoice>>>(u"imageChoices"_s),
                get.integer(u"style"_s), get.boolean(u"vertical"_s));
        })
        .initProperty(u"imageChoices"_s, &ORKImageChoiceAnswerFormat::imageChoices,
                      form::arrayOf(form::object(u"ORKImageChoice"_s)))
        .initProperty(u"style"_s, &ORKImageChoiceAnswerFormat::style,
                      form::styleName(imageChoiceAnswerStyleTable()))
        .initProperty(u"vertical"_s, &ORKImageChoiceAnswerFormat::vertical, form::number());

    // Created without its pictures: they are set from their references afterwards.
    table.row<ORKImageChoice, ORKObject>(u"ORKImageChoice"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKImageChoice>(std::nullopt, std::nullopt,
                                                    get.get<std::optional<QString>>(u"text"_s),
                                                    get.value(u"value"_s));
        })
        .initProperty(u"text"_s, &ORKImageChoice::text, form::string())
        .initProperty(u"value"_s, &ORKImageChoice::value, form::anyValue())
        .property(u"normalStateImage"_s, &ORKImageChoice::normalStateImage, form::imageReference())
        .property(u"selectedStateImage"_s, &ORKImageChoice::selectedStateImage,
                  form::imageReference());

    table.row<ORKValuePickerAnswerFormat, ORKAnswerFormat>(u"ORKValuePickerAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKValuePickerAnswerFormat>(
                get.get<TextChoices>(u"textChoices"_s));
        })
        .initProperty(u"textChoices"_s, &ORKValuePickerAnswerFormat::textChoices,
                      form::arrayOf(form::object(u"ORKTextChoice"_s)));

    table
        .row<ORKMultipleValuePickerAnswerFormat, ORKAnswerFormat>(
            u"ORKMultipleValuePickerAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKMultipleValuePickerAnswerFormat>(
                get.get<QList<std::shared_ptr<ORKValuePickerAnswerFormat>>>(u"valuePickers"_s),
                get.get<std::optional<QString>>(u"separator"_s));
        })
        .initProperty(u"valuePickers"_s, &ORKMultipleValuePickerAnswerFormat::valuePickers,
                      form::arrayOf(form::object(u"ORKValuePickerAnswerFormat"_s)))
        .initProperty(u"separator"_s, &ORKMultipleValuePickerAnswerFormat::separator,
                      form::string());

    table.row<ORKBooleanAnswerFormat, ORKAnswerFormat>(u"ORKBooleanAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKBooleanAnswerFormat>(
                get.get<std::optional<QString>>(u"yes"_s),
                get.get<std::optional<QString>>(u"no"_s));
        })
        .initProperty(u"yes"_s, &ORKBooleanAnswerFormat::yes, form::string())
        .initProperty(u"no"_s, &ORKBooleanAnswerFormat::no, form::string());
}

void addScaleRows(EncodingTable& table) {
    table.row<ORKScaleAnswerFormat, ORKAnswerFormat>(u"ORKScaleAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKScaleAnswerFormat>(
                get.integer(u"maximum"_s), get.integer(u"minimum"_s),
                get.has(u"defaultValue"_s) ? get.integer(u"defaultValue"_s) : kNoScaleDefault,
                get.integer(u"step"_s), get.boolean(u"vertical"_s),
                get.get<std::optional<QString>>(u"maximumValueDescription"_s),
                get.get<std::optional<QString>>(u"minimumValueDescription"_s));
        })
        .initProperty(u"minimum"_s, &ORKScaleAnswerFormat::minimum, form::number())
        .initProperty(u"maximum"_s, &ORKScaleAnswerFormat::maximum, form::number())
        .initProperty(u"defaultValue"_s, &ORKScaleAnswerFormat::defaultValue, form::number())
        .initProperty(u"step"_s, &ORKScaleAnswerFormat::step, form::number())
        .initProperty(u"vertical"_s, &ORKScaleAnswerFormat::vertical, form::number())
        .initProperty(u"maximumValueDescription"_s, &ORKScaleAnswerFormat::maximumValueDescription,
                      form::string())
        .initProperty(u"minimumValueDescription"_s, &ORKScaleAnswerFormat::minimumValueDescription,
                      form::string())
        .property(u"gradientColors"_s, &ORKScaleAnswerFormat::gradientColors,
                  form::arrayOf(form::color()))
        .property(u"gradientLocations"_s, &ORKScaleAnswerFormat::gradientLocations,
                  form::arrayOf(form::number()))
        .property(u"hideSelectedValue"_s, &ORKScaleAnswerFormat::hideSelectedValue, form::number())
        .property(u"hideRanges"_s, &ORKScaleAnswerFormat::hideRanges, form::number())
        .property(u"hideLabels"_s, &ORKScaleAnswerFormat::hideLabels, form::number())
        .property(u"hideValueMarkers"_s, &ORKScaleAnswerFormat::hideValueMarkers, form::number())
        .property(u"minimumImage"_s, &ORKScaleAnswerFormat::minimumImage, form::imageReference())
        .property(u"maximumImage"_s, &ORKScaleAnswerFormat::maximumImage, form::imageReference());

    using Continuous = ORKContinuousScaleAnswerFormat;
    table.row<Continuous, ORKAnswerFormat>(u"ORKContinuousScaleAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<Continuous>(
                get.number(u"maximum"_s), get.number(u"minimum"_s),
                get.has(u"defaultValue"_s) ? get.number(u"defaultValue"_s)
                                           : kNoContinuousScaleDefault,
                get.integer(u"maximumFractionDigits"_s), get.boolean(u"vertical"_s),
                get.get<std::optional<QString>>(u"maximumValueDescription"_s),
                get.get<std::optional<QString>>(u"minimumValueDescription"_s));
        })
        .initProperty(u"minimum"_s, &Continuous::minimum, form::number())
        .initProperty(u"maximum"_s, &Continuous::maximum, form::number())
        .initProperty(u"defaultValue"_s, &Continuous::defaultValue, form::number())
        .initProperty(u"maximumFractionDigits"_s, &Continuous::maximumFractionDigits,
                      form::number())
        .initProperty(u"vertical"_s, &Continuous::vertical, form::number())
        .property(u"numberStyle"_s, &Continuous::numberStyle,
                  form::styleName(numberFormattingStyleTable()))
        .initProperty(u"maximumValueDescription"_s, &Continuous::maximumValueDescription,
                      form::string())
        .initProperty(u"minimumValueDescription"_s, &Continuous::minimumValueDescription,
                      form::string())
        .property(u"gradientColors"_s, &Continuous::gradientColors, form::arrayOf(form::color()))
        .property(u"gradientLocations"_s, &Continuous::gradientLocations,
                  form::arrayOf(form::number()))
        .property(u"hideSelectedValue"_s, &Continuous::hideSelectedValue, form::number())
        .property(u"hideRanges"_s, &Continuous::hideRanges, form::number())
        .property(u"hideLabels"_s, &Continuous::hideLabels, form::number())
        .property(u"minimumImage"_s, &Continuous::minimumImage, form::imageReference())
        .property(u"maximumImage"_s, &Continuous::maximumImage, form::imageReference());

    table.row<ORKTextScaleAnswerFormat, ORKAnswerFormat>(u"ORKTextScaleAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKTextScaleAnswerFormat>(
                get.get<TextChoices>(u"textChoices"_s), get.integer(u"defaultIndex"_s),
                get.boolean(u"vertical"_s));
        })
        .initProperty(u"textChoices"_s, &ORKTextScaleAnswerFormat::textChoices,
                      form::arrayOf(form::object(u"ORKTextChoice"_s)))
        .initProperty(u"defaultIndex"_s, &ORKTextScaleAnswerFormat::defaultIndex, form::number())
        .initProperty(u"vertical"_s, &ORKTextScaleAnswerFormat::vertical, form::number())
        .property(u"gradientColors"_s, &ORKTextScaleAnswerFormat::gradientColors,
                  form::arrayOf(form::color()))
        .property(u"gradientLocations"_s, &ORKTextScaleAnswerFormat::gradientLocations,
                  form::arrayOf(form::number()))
        .property(u"hideSelectedValue"_s, &ORKTextScaleAnswerFormat::hideSelectedValue,
                  form::number())
        .property(u"hideRanges"_s, &ORKTextScaleAnswerFormat::hideRanges, form::number())
        .property(u"hideLabels"_s, &ORKTextScaleAnswerFormat::hideLabels, form::number())
        .property(u"hideValueMarkers"_s, &ORKTextScaleAnswerFormat::hideValueMarkers,
                  form::number());
}

void addTextRows(EncodingTable& table) {
    using Text = ORKTextAnswerFormat;
    table.row<Text, ORKAnswerFormat>(u"ORKTextAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<Text>(get.integer(u"maximumLength"_s));
        })
        .initProperty(u"maximumLength"_s, &Text::maximumLength, form::number())
        .property(u"validationRegularExpression"_s, &Text::validationRegularExpression,
                  form::regularExpression())
        .property(u"invalidMessage"_s, &Text::invalidMessage, form::string())
        .property(u"defaultTextAnswer"_s, &Text::defaultTextAnswer, form::string())
        .property(u"autocapitalizationType"_s, &Text::autocapitalizationType, form::number())
        .property(u"autocorrectionType"_s, &Text::autocorrectionType, form::number())
        .property(u"spellCheckingType"_s, &Text::spellCheckingType, form::number())
        .property(u"keyboardType"_s, &Text::keyboardType, form::number())
        .property(u"multipleLines"_s, &Text::multipleLines, form::number())
        .property(u"hideClearButton"_s, &Text::hideClearButton, form::number())
        .property(u"hideCharacterCountLabel"_s, &Text::hideCharacterCountLabel, form::number())
        .property(u"secureTextEntry"_s, &Text::secureTextEntry, form::number())
        .property(u"textContentType"_s, &Text::textContentType, form::string())
        .property(u"passwordRules"_s, &Text::passwordRules, form::passwordRules())
        .property(u"placeholder"_s, &Text::placeholder, form::string());

    // No constructor of its own: every key, "maximumLength" included, is set after creation.
    table.row<ORKEmailAnswerFormat, Text>(u"ORKEmailAnswerFormat"_s)
        .property(u"usernameField"_s, &ORKEmailAnswerFormat::usernameField, form::number());

    table.row<ORKConfirmTextAnswerFormat, Text>(u"ORKConfirmTextAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKConfirmTextAnswerFormat>(
                get.get<std::optional<QString>>(u"originalItemIdentifier"_s),
                get.get<std::optional<QString>>(u"errorMessage"_s));
        })
        .initProperty(u"originalItemIdentifier"_s,
                      &ORKConfirmTextAnswerFormat::originalItemIdentifier, form::string())
        .initProperty(u"errorMessage"_s, &ORKConfirmTextAnswerFormat::errorMessage, form::string())
        .property(u"maximumLength"_s, &ORKConfirmTextAnswerFormat::maximumLength, form::number());
}

void addNumberAndTimeRows(EncodingTable& table) {
    using Numeric = ORKNumericAnswerFormat;
    table.row<Numeric, ORKAnswerFormat>(u"ORKNumericAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            auto format = std::make_shared<Numeric>(
                get.integer(u"style"_s), get.get<std::optional<QString>>(u"unit"_s),
                get.get<std::optional<double>>(u"minimum"_s),
                get.get<std::optional<double>>(u"maximum"_s),
                get.get<std::optional<qint64>>(u"maximumFractionDigits"_s));
            format->defaultNumericAnswer =
                get.get<std::optional<double>>(u"defaultNumericAnswer"_s);
            return format;
        })
        .initProperty(u"style"_s, &Numeric::style, form::styleName(numericAnswerStyleTable()))
        .initProperty(u"unit"_s, &Numeric::unit, form::string())
        .initProperty(u"minimum"_s, &Numeric::minimum, form::number())
        .initProperty(u"maximum"_s, &Numeric::maximum, form::number())
        .initProperty(u"maximumFractionDigits"_s, &Numeric::maximumFractionDigits, form::number())
        .initProperty(u"defaultNumericAnswer"_s, &Numeric::defaultNumericAnswer, form::number())
        .property(u"hideUnitWhenAnswerIsEmpty"_s, &Numeric::hideUnitWhenAnswerIsEmpty,
                  form::number())
        .property(u"placeholder"_s, &Numeric::placeholder, form::string());

    table.row<ORKDateAnswerFormat, ORKAnswerFormat>(u"ORKDateAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKDateAnswerFormat>(
                get.integer(u"style"_s), get.get<std::optional<QDateTime>>(u"defaultDate"_s),
                get.get<std::optional<QDateTime>>(u"minimumDate"_s),
                get.get<std::optional<QDateTime>>(u"maximumDate"_s),
                get.get<std::optional<Calendar>>(u"calendar"_s));
        })
        .initProperty(u"style"_s, &ORKDateAnswerFormat::style,
                      form::styleName(dateAnswerStyleTable()))
        .initProperty(u"calendar"_s, &ORKDateAnswerFormat::calendar, form::calendar())
        .initProperty(u"minimumDate"_s, &ORKDateAnswerFormat::minimumDate, form::date())
        .initProperty(u"maximumDate"_s, &ORKDateAnswerFormat::maximumDate, form::date())
        .initProperty(u"defaultDate"_s, &ORKDateAnswerFormat::defaultDate, form::date())
        .property(u"minuteInterval"_s, &ORKDateAnswerFormat::minuteInterval, form::number());

    table.row<ORKTimeOfDayAnswerFormat, ORKAnswerFormat>(u"ORKTimeOfDayAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKTimeOfDayAnswerFormat>(
                get.get<std::optional<DateComponents>>(u"defaultComponents"_s));
        })
        .initProperty(u"defaultComponents"_s, &ORKTimeOfDayAnswerFormat::defaultComponents,
                      form::timeOfDay())
        .property(u"minuteInterval"_s, &ORKTimeOfDayAnswerFormat::minuteInterval, form::number());

    table.row<ORKTimeIntervalAnswerFormat, ORKAnswerFormat>(u"ORKTimeIntervalAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKTimeIntervalAnswerFormat>(get.number(u"defaultInterval"_s),
                                                                 get.integer(u"step"_s));
        })
        .initProperty(u"defaultInterval"_s, &ORKTimeIntervalAnswerFormat::defaultInterval,
                      form::number())
        .initProperty(u"step"_s, &ORKTimeIntervalAnswerFormat::step, form::number());
}

void addMeasurementAndOtherRows(EncodingTable& table) {
    table.row<ORKHeightAnswerFormat, ORKAnswerFormat>(u"ORKHeightAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKHeightAnswerFormat>(get.integer(u"measurementSystem"_s));
        })
        .initProperty(u"measurementSystem"_s, &ORKHeightAnswerFormat::measurementSystem,
                      form::styleName(ORKMeasurementSystemTable()));

    table.row<ORKWeightAnswerFormat, ORKAnswerFormat>(u"ORKWeightAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKWeightAnswerFormat>(
                get.integer(u"measurementSystem"_s), get.integer(u"numericPrecision"_s),
                get.number(u"minimumValue"_s), get.number(u"maximumValue"_s),
                get.number(u"defaultValue"_s));
        })
        .initProperty(u"measurementSystem"_s, &ORKWeightAnswerFormat::measurementSystem,
                      form::styleName(ORKMeasurementSystemTable()))
        .initProperty(u"numericPrecision"_s, &ORKWeightAnswerFormat::numericPrecision,
                      form::number())
        .initProperty(u"minimumValue"_s, &ORKWeightAnswerFormat::minimumValue, form::number())
        .initProperty(u"maximumValue"_s, &ORKWeightAnswerFormat::maximumValue, form::number())
        .initProperty(u"defaultValue"_s, &ORKWeightAnswerFormat::defaultValue, form::number());

    table.row<ORKLocationAnswerFormat, ORKAnswerFormat>(u"ORKLocationAnswerFormat"_s)
        .init([](const PropertyReader&) { return std::make_shared<ORKLocationAnswerFormat>(); })
        .property(u"useCurrentLocation"_s, &ORKLocationAnswerFormat::useCurrentLocation,
                  form::number())
        .property(u"placeholder"_s, &ORKLocationAnswerFormat::placeholder, form::string());

    table.row<ORKSESAnswerFormat, ORKAnswerFormat>(u"ORKSESAnswerFormat"_s)
        .init([](const PropertyReader&) { return std::make_shared<ORKSESAnswerFormat>(); })
        .property(u"topRungText"_s, &ORKSESAnswerFormat::topRungText, form::string())
        .property(u"bottomRungText"_s, &ORKSESAnswerFormat::bottomRungText, form::string());

    table.row<ORKCurrencyAnswerFormat, ORKAnswerFormat>(u"ORKCurrencyAnswerFormat"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKCurrencyAnswerFormat>(
                get.get<std::optional<QString>>(u"localeIdentifier"_s),
                get.get<std::optional<QString>>(u"currencyCode"_s));
        })
        .initProperty(u"localeIdentifier"_s, &ORKCurrencyAnswerFormat::localeIdentifier,
                      form::string())
        .initProperty(u"currencyCode"_s, &ORKCurrencyAnswerFormat::currencyCode, form::string());
}

}  // namespace

void addAnswerFormatRows(EncodingTable& table) {
    table.row<ORKAnswerFormat, ORKObject>(u"ORKAnswerFormat"_s)
        .property(u"showDontKnowButton"_s, &ORKAnswerFormat::showDontKnowButton, form::number())
        .property(u"customDontKnowButtonText"_s, &ORKAnswerFormat::customDontKnowButtonText,
                  form::string());
    // Decodes to the shared instance, which the engine hands out for this class.
    table.row<ORKDontKnowAnswer, ORKObject>(u"ORKDontKnowAnswer"_s);

    addChoiceRows(table);
    addScaleRows(table);
    addTextRows(table);
    addNumberAndTimeRows(table);
    addMeasurementAndOtherRows(table);
}

}  // namespace pathloom
