#include "serialization/ORKESerializer.h"

#include "JsonLiteral.h"
#include "QtPrinting.h"
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
#include "taskmodel/ORKQuestionStep.h"
#include "taskmodel/ORKSESAnswerFormat.h"
#include "taskmodel/ORKScaleAnswerFormat.h"
#include "taskmodel/ORKTextChoiceAnswerFormat.h"
#include "taskmodel/ORKTextChoiceOther.h"
#include "taskmodel/ORKTextScaleAnswerFormat.h"
#include "taskmodel/ORKTimeIntervalAnswerFormat.h"
#include "taskmodel/ORKTimeOfDayAnswerFormat.h"
#include "taskmodel/ORKWeightAnswerFormat.h"

#include <gtest/gtest.h>
#include <QJsonArray>
#include <functional>
#include <limits>
#include <typeinfo>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;

constexpr qint64 kNotFound = std::numeric_limits<qint64>::max();

// Pictures that remember the name they were referenced by, so that encoding gives the reference
// back and a test can tell which picture landed where.
class NamedImageProvider : public ORKESerializationImageProvider {
public:
    std::optional<QImage> imageForReference(const QJsonObject& reference) const override {
        QImage image(1, 1, QImage::Format_ARGB32);
        image.setText(u"imageName"_s, reference.value(u"imageName").toString());
        return image;
    }
    QJsonObject referenceBySavingImage(const QImage& image) const override {
        return {{u"imageName"_s, image.text(u"imageName"_s)}};
    }
};

ORKESerializationContext imageContext() {
    ORKESerializationContext context;
    context.imageProvider = std::make_shared<NamedImageProvider>();
    return context;
}

QString imageName(const std::optional<QImage>& image) {
    return image ? image->text(u"imageName"_s) : u"(no image)"_s;
}

QDateTime utc(const QString& text) { return QDateTime::fromString(text, Qt::ISODate); }

std::string reasonOf(const std::expected<Value::Object, ORKESerializationError>& decoded) {
    return decoded ? std::string() : decoded.error().failureReason().toStdString();
}

QJsonObject encode(const Value::Object& object) {
    return ORKESerializer::JSONObjectForObject(Value(object), imageContext()).toObject();
}

// The places where `actual` lacks what `expected` holds: scalars must be equal, arrays as long
// with matching elements, objects must have at least the expected keys with matching values.
void collectMissing(const QJsonValue& actual, const QJsonValue& expected, const QString& path,
                    QStringList& missing) {
    if (expected.isObject()) {
        const QJsonObject wanted = expected.toObject();
        for (auto it = wanted.begin(); it != wanted.end(); ++it) {
            collectMissing(actual.toObject().value(it.key()), it.value(), path + u'.' + it.key(),
                           missing);
        }
    } else if (expected.isArray()) {
        const QJsonArray wanted = expected.toArray();
        const QJsonArray got = actual.toArray();
        if (!actual.isArray() || got.size() != wanted.size()) {
            missing << path + u" (array length)"_s;
            return;
        }
        for (qsizetype i = 0; i < wanted.size(); ++i) {
            collectMissing(got[i], wanted[i], path + u'[' + QString::number(i) + u']', missing);
        }
    } else if (actual != expected) {
        missing << path;
    }
}

// One row of the table: a document that uses every key of the row and what its object must hold.
struct RowCase {
    const char* name;
    const char* document;
    std::function<void(const ORKObject&)> expectFields;
};

void PrintTo(const RowCase& row, std::ostream* os) { *os << row.name; }

template <typename T>
RowCase rowCase(const char* name, const char* document, std::function<void(const T&)> expect) {
    return {name, document, [expect = std::move(expect)](const ORKObject& object) {
                ASSERT_TRUE(typeid(object) == typeid(T)) << "decoded as " << typeid(object).name();
                expect(static_cast<const T&>(object));
            }};
}

void expectTextChoice(const std::shared_ptr<ORKTextChoice>& choice, const QString& text,
                      const Value& value) {
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->text, text);
    EXPECT_EQ(choice->value, value);
}

const RowCase kRowCases[] = {
    rowCase<ORKAnswerFormat>(
        "AnswerFormat",
        R"({"_class":"ORKAnswerFormat","showDontKnowButton":true,"customDontKnowButtonText":"?"})",
        [](const ORKAnswerFormat& format) {
            EXPECT_TRUE(format.showDontKnowButton);
            EXPECT_EQ(format.customDontKnowButtonText, u"?"_s);
        }),
    rowCase<ORKTextChoiceAnswerFormat>(
        "TextChoiceAnswerFormat",
        R"({"_class":"ORKTextChoiceAnswerFormat","style":"multipleChoice",
            "showDontKnowButton":true,"customDontKnowButtonText":"Pass",
            "textChoices":[
              {"_class":"ORKTextChoice","text":"Red","value":1},
              {"_class":"ORKTextChoiceOther","text":"Other","value":"other",
               "textViewPlaceholderText":"Which?","textViewStartsHidden":true}]})",
        [](const ORKTextChoiceAnswerFormat& format) {
            EXPECT_EQ(format.style, 1);
            EXPECT_TRUE(format.showDontKnowButton);
            EXPECT_EQ(format.customDontKnowButtonText, u"Pass"_s);
            ASSERT_EQ(format.textChoices.size(), 2);
            expectTextChoice(format.textChoices[0], u"Red"_s, 1);
            const auto other = std::dynamic_pointer_cast<ORKTextChoiceOther>(format.textChoices[1]);
            ASSERT_TRUE(other);
            expectTextChoice(other, u"Other"_s, u"other"_s);
            EXPECT_EQ(other->textViewPlaceholderText, u"Which?"_s);
            EXPECT_FALSE(other->textViewInputOptional);
            EXPECT_TRUE(other->textViewStartsHidden);
        }),
    rowCase<ORKTextChoice>(
        "TextChoice",
        R"({"_class":"ORKTextChoice","text":"None of these","detailText":"Skips the rest",
            "value":{"code":[7,"x"]},"exclusive":true})",
        [](const ORKTextChoice& choice) {
            EXPECT_EQ(choice.text, u"None of these"_s);
            EXPECT_EQ(choice.detailText, u"Skips the rest"_s);
            EXPECT_EQ(choice.value, Value(Value::Dictionary{{u"code"_s, Value::Array{7, u"x"_s}}}));
            EXPECT_TRUE(choice.exclusive);
        }),
    rowCase<ORKTextChoiceOther>(
        "TextChoiceOther",
        R"({"_class":"ORKTextChoiceOther","text":"Other","detailText":"Tell us","value":9.5,
            "exclusive":true,"textViewPlaceholderText":"Type here",
            "textViewInputOptional":true,"textViewStartsHidden":false})",
        [](const ORKTextChoiceOther& choice) {
            EXPECT_EQ(choice.text, u"Other"_s);
            EXPECT_EQ(choice.detailText, u"Tell us"_s);
            EXPECT_EQ(choice.value, Value(9.5));
            EXPECT_TRUE(choice.exclusive);
            EXPECT_EQ(choice.textViewPlaceholderText, u"Type here"_s);
            EXPECT_TRUE(choice.textViewInputOptional);
            EXPECT_FALSE(choice.textViewStartsHidden);
        }),
    rowCase<ORKImageChoiceAnswerFormat>(
        "ImageChoiceAnswerFormat",
        R"({"_class":"ORKImageChoiceAnswerFormat","style":"multipleChoice","vertical":true,
            "imageChoices":[{"_class":"ORKImageChoice","text":"Sun","value":"sun",
                             "normalStateImage":{"imageName":"sun"}}]})",
        [](const ORKImageChoiceAnswerFormat& format) {
            EXPECT_EQ(format.style, 1);
            EXPECT_TRUE(format.vertical);
            ASSERT_EQ(format.imageChoices.size(), 1);
            ASSERT_TRUE(format.imageChoices[0]);
            EXPECT_EQ(format.imageChoices[0]->value, Value(u"sun"_s));
            EXPECT_EQ(imageName(format.imageChoices[0]->normalStateImage), u"sun"_s);
        }),
    rowCase<ORKImageChoice>(
        "ImageChoice",
        R"({"_class":"ORKImageChoice","value":3,"normalStateImage":{"imageName":"smile"},
            "text":"Smile","selectedStateImage":{"imageName":"smile-selected"}})",
        [](const ORKImageChoice& choice) {
            EXPECT_EQ(choice.text, u"Smile"_s);
            EXPECT_EQ(choice.value, Value(3));
            EXPECT_EQ(imageName(choice.normalStateImage), u"smile"_s);
            EXPECT_EQ(imageName(choice.selectedStateImage), u"smile-selected"_s);
        }),
    rowCase<ORKValuePickerAnswerFormat>(
        "ValuePickerAnswerFormat",
        R"({"_class":"ORKValuePickerAnswerFormat","showDontKnowButton":false,"textChoices":[
              {"_class":"ORKTextChoice","text":"Low","value":0},
              {"_class":"ORKTextChoice","text":"High","value":1}]})",
        [](const ORKValuePickerAnswerFormat& format) {
            EXPECT_FALSE(format.showDontKnowButton);
            ASSERT_EQ(format.textChoices.size(), 2);
            expectTextChoice(format.textChoices[0], u"Low"_s, 0);
            expectTextChoice(format.textChoices[1], u"High"_s, 1);
        }),
    rowCase<ORKMultipleValuePickerAnswerFormat>(
        "MultipleValuePickerAnswerFormat",
        R"({"_class":"ORKMultipleValuePickerAnswerFormat","separator":":","valuePickers":[
              {"_class":"ORKValuePickerAnswerFormat","textChoices":[
                {"_class":"ORKTextChoice","text":"1","value":1}]},
              {"_class":"ORKValuePickerAnswerFormat","textChoices":[
                {"_class":"ORKTextChoice","text":"00","value":0},
                {"_class":"ORKTextChoice","text":"30","value":30}]}]})",
        [](const ORKMultipleValuePickerAnswerFormat& format) {
            EXPECT_EQ(format.separator, u":"_s);
            ASSERT_EQ(format.valuePickers.size(), 2);
            ASSERT_TRUE(format.valuePickers[0] && format.valuePickers[1]);
            ASSERT_EQ(format.valuePickers[0]->textChoices.size(), 1);
            ASSERT_EQ(format.valuePickers[1]->textChoices.size(), 2);
            expectTextChoice(format.valuePickers[1]->textChoices[1], u"30"_s, 30);
        }),
    rowCase<ORKBooleanAnswerFormat>(
        "BooleanAnswerFormat", R"({"_class":"ORKBooleanAnswerFormat","yes":"Sure","no":"Never"})",
        [](const ORKBooleanAnswerFormat& format) {
            EXPECT_EQ(format.yes, u"Sure"_s);
            EXPECT_EQ(format.no, u"Never"_s);
        }),
    rowCase<ORKTextAnswerFormat>(
        "TextAnswerFormat",
        R"({"_class":"ORKTextAnswerFormat","maximumLength":140,
            "validationRegularExpression":{"pattern":"^[a-z]+$",
              "options":["NSRegularExpressionCaseInsensitive"]},
            "invalidMessage":"Letters only","defaultTextAnswer":"abc",
            "autocapitalizationType":1,"autocorrectionType":2,"spellCheckingType":1,
            "keyboardType":4,"multipleLines":true,"hideClearButton":true,
            "hideCharacterCountLabel":true,"secureTextEntry":true,"textContentType":"username",
            "passwordRules":{"rules":"minlength: 8;"},"placeholder":"Your name"})",
        [](const ORKTextAnswerFormat& format) {
            EXPECT_EQ(format.maximumLength, 140);
            EXPECT_EQ(format.validationRegularExpression, (RegularExpression{u"^[a-z]+$"_s, 1}));
            EXPECT_EQ(format.invalidMessage, u"Letters only"_s);
            EXPECT_EQ(format.defaultTextAnswer, u"abc"_s);
            EXPECT_EQ(format.autocapitalizationType, 1);
            EXPECT_EQ(format.autocorrectionType, 2);
            EXPECT_EQ(format.spellCheckingType, 1);
            EXPECT_EQ(format.keyboardType, 4);
            EXPECT_TRUE(format.multipleLines);
            EXPECT_TRUE(format.hideClearButton);
            EXPECT_TRUE(format.hideCharacterCountLabel);
            EXPECT_TRUE(format.secureTextEntry);
            EXPECT_EQ(format.textContentType, u"username"_s);
            EXPECT_EQ(format.passwordRules, PasswordRules{u"minlength: 8;"_s});
            EXPECT_EQ(format.placeholder, u"Your name"_s);
        }),
    // Without a constructor of its own, the inherited "maximumLength" is set after creation.
    rowCase<ORKEmailAnswerFormat>(
        "EmailAnswerFormat",
        R"({"_class":"ORKEmailAnswerFormat","usernameField":true,"maximumLength":80,
            "placeholder":"you@example.org"})",
        [](const ORKEmailAnswerFormat& format) {
            EXPECT_TRUE(format.usernameField);
            EXPECT_EQ(format.maximumLength, 80);
            EXPECT_EQ(format.placeholder, u"you@example.org"_s);
        }),
    rowCase<ORKConfirmTextAnswerFormat>(
        "ConfirmTextAnswerFormat",
        R"({"_class":"ORKConfirmTextAnswerFormat","originalItemIdentifier":"password",
            "errorMessage":"Does not match","maximumLength":32,"secureTextEntry":true})",
        [](const ORKConfirmTextAnswerFormat& format) {
            EXPECT_EQ(format.originalItemIdentifier, u"password"_s);
            EXPECT_EQ(format.errorMessage, u"Does not match"_s);
            EXPECT_EQ(format.maximumLength, 32);
            EXPECT_TRUE(format.secureTextEntry);
        }),
    rowCase<ORKNumericAnswerFormat>(
        "NumericAnswerFormat",
        R"({"_class":"ORKNumericAnswerFormat","style":"integer","unit":"kg","minimum":1,
            "maximum":300.5,"maximumFractionDigits":2,"defaultNumericAnswer":70.5,
            "hideUnitWhenAnswerIsEmpty":true,"placeholder":"Weight",
            "showDontKnowButton":true})",
        [](const ORKNumericAnswerFormat& format) {
            EXPECT_EQ(format.style, 1);
            EXPECT_EQ(format.unit, u"kg"_s);
            EXPECT_EQ(format.minimum, 1.0);
            EXPECT_EQ(format.maximum, 300.5);
            EXPECT_EQ(format.maximumFractionDigits, 2);
            EXPECT_EQ(format.defaultNumericAnswer, 70.5);
            EXPECT_TRUE(format.hideUnitWhenAnswerIsEmpty);
            EXPECT_EQ(format.placeholder, u"Weight"_s);
            EXPECT_TRUE(format.showDontKnowButton);
        }),
    rowCase<ORKScaleAnswerFormat>(
        "ScaleAnswerFormat",
        R"({"_class":"ORKScaleAnswerFormat","minimum":1,"maximum":10,"defaultValue":5,
            "step":1,"vertical":true,"maximumValueDescription":"Worst",
            "minimumValueDescription":"None","gradientColors":[],
            "gradientLocations":[0,0.25,1],"hideSelectedValue":true,"hideRanges":true,
            "hideLabels":true,"hideValueMarkers":true,"minimumImage":{"imageName":"calm"},
            "maximumImage":{"imageName":"pain"}})",
        [](const ORKScaleAnswerFormat& format) {
            EXPECT_EQ(format.minimum, 1);
            EXPECT_EQ(format.maximum, 10);
            EXPECT_EQ(format.defaultValue, 5);
            EXPECT_EQ(format.step, 1);
            EXPECT_TRUE(format.vertical);
            EXPECT_EQ(format.maximumValueDescription, u"Worst"_s);
            EXPECT_EQ(format.minimumValueDescription, u"None"_s);
            EXPECT_TRUE(format.gradientColors.isEmpty());
            EXPECT_EQ(format.gradientLocations, (QList<double>{0, 0.25, 1}));
            EXPECT_TRUE(format.hideSelectedValue);
            EXPECT_TRUE(format.hideRanges);
            EXPECT_TRUE(format.hideLabels);
            EXPECT_TRUE(format.hideValueMarkers);
            EXPECT_EQ(imageName(format.minimumImage), u"calm"_s);
            EXPECT_EQ(imageName(format.maximumImage), u"pain"_s);
        }),
    rowCase<ORKContinuousScaleAnswerFormat>(
        "ContinuousScaleAnswerFormat",
        R"({"_class":"ORKContinuousScaleAnswerFormat","minimum":0.5,"maximum":9.5,
            "defaultValue":2.25,"maximumFractionDigits":2,"vertical":true,
            "numberStyle":"percent","maximumValueDescription":"High",
            "minimumValueDescription":"Low","gradientColors":[],"gradientLocations":[0.5],
            "hideSelectedValue":true,"hideRanges":true,"hideLabels":true,
            "minimumImage":{"imageName":"low"},"maximumImage":{"imageName":"high"}})",
        [](const ORKContinuousScaleAnswerFormat& format) {
            EXPECT_EQ(format.minimum, 0.5);
            EXPECT_EQ(format.maximum, 9.5);
            EXPECT_EQ(format.defaultValue, 2.25);
            EXPECT_EQ(format.maximumFractionDigits, 2);
            EXPECT_TRUE(format.vertical);
            EXPECT_EQ(format.numberStyle, 1);
            EXPECT_EQ(format.maximumValueDescription, u"High"_s);
            EXPECT_EQ(format.minimumValueDescription, u"Low"_s);
            EXPECT_TRUE(format.gradientColors.isEmpty());
            EXPECT_EQ(format.gradientLocations, QList<double>{0.5});
            EXPECT_TRUE(format.hideSelectedValue);
            EXPECT_TRUE(format.hideRanges);
            EXPECT_TRUE(format.hideLabels);
            EXPECT_EQ(imageName(format.minimumImage), u"low"_s);
            EXPECT_EQ(imageName(format.maximumImage), u"high"_s);
        }),
    rowCase<ORKTextScaleAnswerFormat>(
        "TextScaleAnswerFormat",
        R"({"_class":"ORKTextScaleAnswerFormat","defaultIndex":1,"vertical":true,
            "textChoices":[{"_class":"ORKTextChoice","text":"Poor","value":"p"},
                           {"_class":"ORKTextChoice","text":"Fair","value":"f"}],
            "gradientColors":[],"gradientLocations":[0,1],"hideSelectedValue":true,
            "hideRanges":true,"hideLabels":true,"hideValueMarkers":true})",
        [](const ORKTextScaleAnswerFormat& format) {
            EXPECT_EQ(format.defaultIndex, 1);
            EXPECT_TRUE(format.vertical);
            ASSERT_EQ(format.textChoices.size(), 2);
            expectTextChoice(format.textChoices[1], u"Fair"_s, u"f"_s);
            EXPECT_TRUE(format.gradientColors.isEmpty());
            EXPECT_EQ(format.gradientLocations, (QList<double>{0, 1}));
            EXPECT_TRUE(format.hideSelectedValue);
            EXPECT_TRUE(format.hideRanges);
            EXPECT_TRUE(format.hideLabels);
            EXPECT_TRUE(format.hideValueMarkers);
        }),
    rowCase<ORKDateAnswerFormat>(
        "DateAnswerFormat",
        R"({"_class":"ORKDateAnswerFormat","style":"date","calendar":"hebrew",
            "minimumDate":"2020-01-01T00:00:00+0000","maximumDate":"2030-12-31T23:59:59+0000",
            "defaultDate":"2021-03-04T10:20:30+0000","minuteInterval":15})",
        [](const ORKDateAnswerFormat& format) {
            EXPECT_EQ(format.style, 1);
            EXPECT_EQ(format.calendar, Calendar{u"hebrew"_s});
            EXPECT_EQ(format.minimumDate, utc(u"2020-01-01T00:00:00Z"_s));
            EXPECT_EQ(format.maximumDate, utc(u"2030-12-31T23:59:59Z"_s));
            EXPECT_EQ(format.defaultDate, utc(u"2021-03-04T10:20:30Z"_s));
            EXPECT_EQ(format.minuteInterval, 15);
        }),
    rowCase<ORKTimeOfDayAnswerFormat>(
        "TimeOfDayAnswerFormat",
        R"({"_class":"ORKTimeOfDayAnswerFormat","defaultComponents":"08:30",
            "minuteInterval":5})",
        [](const ORKTimeOfDayAnswerFormat& format) {
            EXPECT_EQ(format.defaultComponents, (DateComponents{8, 30}));
            EXPECT_EQ(format.minuteInterval, 5);
        }),
    rowCase<ORKTimeIntervalAnswerFormat>(
        "TimeIntervalAnswerFormat",
        R"({"_class":"ORKTimeIntervalAnswerFormat","defaultInterval":5400.5,"step":15})",
        [](const ORKTimeIntervalAnswerFormat& format) {
            EXPECT_EQ(format.defaultInterval, 5400.5);
            EXPECT_EQ(format.step, 15);
        }),
    rowCase<ORKHeightAnswerFormat>(
        "HeightAnswerFormat", R"({"_class":"ORKHeightAnswerFormat","measurementSystem":"USC"})",
        [](const ORKHeightAnswerFormat& format) {
            EXPECT_EQ(format.measurementSystem, ORKMeasurementSystemUSC);
        }),
    rowCase<ORKWeightAnswerFormat>(
        "WeightAnswerFormat",
        R"({"_class":"ORKWeightAnswerFormat","measurementSystem":"metric",
            "numericPrecision":2,"minimumValue":20,"maximumValue":250.5,"defaultValue":70})",
        [](const ORKWeightAnswerFormat& format) {
            EXPECT_EQ(format.measurementSystem, ORKMeasurementSystemMetric);
            EXPECT_EQ(format.numericPrecision, 2);
            EXPECT_EQ(format.minimumValue, 20);
            EXPECT_EQ(format.maximumValue, 250.5);
            EXPECT_EQ(format.defaultValue, 70);
        }),
    rowCase<ORKLocationAnswerFormat>(
        "LocationAnswerFormat",
        R"({"_class":"ORKLocationAnswerFormat","useCurrentLocation":true,
            "placeholder":"Where?"})",
        [](const ORKLocationAnswerFormat& format) {
            EXPECT_TRUE(format.useCurrentLocation);
            EXPECT_EQ(format.placeholder, u"Where?"_s);
        }),
    rowCase<ORKSESAnswerFormat>(
        "SESAnswerFormat",
        R"({"_class":"ORKSESAnswerFormat","topRungText":"Best off","bottomRungText":"Worst off"})",
        [](const ORKSESAnswerFormat& format) {
            EXPECT_EQ(format.topRungText, u"Best off"_s);
            EXPECT_EQ(format.bottomRungText, u"Worst off"_s);
        }),
    rowCase<ORKCurrencyAnswerFormat>(
        "CurrencyAnswerFormat",
        R"({"_class":"ORKCurrencyAnswerFormat","localeIdentifier":"de_DE",
            "currencyCode":"EUR"})",
        [](const ORKCurrencyAnswerFormat& format) {
            EXPECT_EQ(format.localeIdentifier, u"de_DE"_s);
            EXPECT_EQ(format.currencyCode, u"EUR"_s);
        }),
};

class AnswerFormatRowTest : public testing::TestWithParam<RowCase> {};

TEST_P(AnswerFormatRowTest, DecodesEveryKeyAndSurvivesEncodeDecode) {
    const RowCase& row = GetParam();
    const QJsonObject document = jsonObject(row.document);

    const auto decoded = ORKESerializer::objectFromJSONObject(document, imageContext());
    ASSERT_TRUE(decoded) << reasonOf(decoded);
    ASSERT_TRUE(*decoded);
    row.expectFields(**decoded);

    const QJsonObject encoded = encode(*decoded);
    QStringList missing;
    collectMissing(encoded, document, u"$"_s, missing);
    EXPECT_TRUE(missing.isEmpty()) << "encoding lost " << missing.join(u", ").toStdString();

    const auto again = ORKESerializer::objectFromJSONObject(encoded, imageContext());
    ASSERT_TRUE(again) << reasonOf(again);
    ASSERT_TRUE(*again);
    row.expectFields(**again);
    EXPECT_EQ(encode(*again), encoded);
}

INSTANTIATE_TEST_SUITE_P(Rows, AnswerFormatRowTest, testing::ValuesIn(kRowCases),
                         [](const testing::TestParamInfo<RowCase>& info) {
                             return std::string(info.param.name);
                         });

// A style name decodes to its position in the row's own table; one outside it to the not-found
// position, which encodes to nothing.
struct StyleCase {
    const char* className;
    const char* key;
    const char* name;
    qint64 expected;
    std::function<qint64(const ORKObject&)> read;
};

void PrintTo(const StyleCase& style, std::ostream* os) {
    *os << style.className << '.' << style.key << " = " << style.name;
}

template <typename T>
StyleCase styleCase(const char* className, const char* key, qint64 T::*field, const char* name,
                    qint64 expected) {
    return {className, key, name, expected, [field](const ORKObject& object) {
                const auto* typed = dynamic_cast<const T*>(&object);
                return typed ? typed->*field : -1;
            }};
}

class StyleNameTest : public testing::TestWithParam<StyleCase> {};

TEST_P(StyleNameTest, DecodesToItsIndexAndEncodesBack) {
    const StyleCase& style = GetParam();
    const QJsonObject document{{u"_class"_s, QString::fromUtf8(style.className)},
                               {QString::fromUtf8(style.key), QString::fromUtf8(style.name)}};

    const auto decoded = ORKESerializer::objectFromJSONObject(document);
    ASSERT_TRUE(decoded) << reasonOf(decoded);
    EXPECT_EQ(style.read(**decoded), style.expected);

    const QJsonValue written = encode(*decoded).value(QString::fromUtf8(style.key));
    if (style.expected == kNotFound) {
        EXPECT_TRUE(written.isUndefined()) << "wrote " << written.toString().toStdString();
    } else {
        EXPECT_EQ(written, QJsonValue(QString::fromUtf8(style.name)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, StyleNameTest,
    testing::Values(
        styleCase("ORKTextChoiceAnswerFormat", "style", &ORKTextChoiceAnswerFormat::style,
                  "singleChoice", 0),
        styleCase("ORKTextChoiceAnswerFormat", "style", &ORKTextChoiceAnswerFormat::style,
                  "multipleChoice", 1),
        styleCase("ORKTextChoiceAnswerFormat", "style", &ORKTextChoiceAnswerFormat::style,
                  "several", kNotFound),
        styleCase("ORKImageChoiceAnswerFormat", "style", &ORKImageChoiceAnswerFormat::style,
                  "singleChoice", 0),
        styleCase("ORKImageChoiceAnswerFormat", "style", &ORKImageChoiceAnswerFormat::style,
                  "multipleChoice", 1),
        styleCase("ORKDateAnswerFormat", "style", &ORKDateAnswerFormat::style, "dateTime", 0),
        styleCase("ORKDateAnswerFormat", "style", &ORKDateAnswerFormat::style, "date", 1),
        styleCase("ORKDateAnswerFormat", "style", &ORKDateAnswerFormat::style, "Date", kNotFound),
        styleCase("ORKNumericAnswerFormat", "style", &ORKNumericAnswerFormat::style, "decimal", 0),
        styleCase("ORKNumericAnswerFormat", "style", &ORKNumericAnswerFormat::style, "integer", 1),
        styleCase("ORKContinuousScaleAnswerFormat", "numberStyle",
                  &ORKContinuousScaleAnswerFormat::numberStyle, "default", 0),
        styleCase("ORKContinuousScaleAnswerFormat", "numberStyle",
                  &ORKContinuousScaleAnswerFormat::numberStyle, "percent", 1),
        styleCase("ORKHeightAnswerFormat", "measurementSystem",
                  &ORKHeightAnswerFormat::measurementSystem, "local", 0),
        styleCase("ORKHeightAnswerFormat", "measurementSystem",
                  &ORKHeightAnswerFormat::measurementSystem, "metric", 1),
        styleCase("ORKHeightAnswerFormat", "measurementSystem",
                  &ORKHeightAnswerFormat::measurementSystem, "imperial", kNotFound),
        styleCase("ORKWeightAnswerFormat", "measurementSystem",
                  &ORKWeightAnswerFormat::measurementSystem, "USC", 2)));

TEST(ChoiceStyles, QuestionStepWithMultipleChoiceFormatAllowsSeveralChoices) {
    const auto decoded = ORKESerializer::objectFromJSONObject(jsonObject(
        R"({"_class":"ORKQuestionStep","identifier":"colours",
            "answerFormat":{"_class":"ORKTextChoiceAnswerFormat","style":"multipleChoice",
              "textChoices":[{"_class":"ORKTextChoice","text":"Red","value":"red"},
                             {"_class":"ORKTextChoice","text":"Blue","value":"blue"}]}})"));
    ASSERT_TRUE(decoded) << reasonOf(decoded);
    const auto step = std::dynamic_pointer_cast<ORKQuestionStep>(*decoded);
    ASSERT_TRUE(step);
    const auto format = std::dynamic_pointer_cast<ORKTextChoiceAnswerFormat>(step->answerFormat);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->style, 1);
    ASSERT_EQ(format->textChoices.size(), 2);
    expectTextChoice(format->textChoices[1], u"Blue"_s, u"blue"_s);
}

TEST(MeasurementSystemNames, ConvertBothWaysAndRejectWhatIsNotInTheTable) {
    for (const qint64 system :
         {ORKMeasurementSystemLocal, ORKMeasurementSystemMetric, ORKMeasurementSystemUSC}) {
        const std::optional<QString> name = ORKMeasurementSystemToString(system);
        ASSERT_TRUE(name);
        EXPECT_EQ(ORKMeasurementSystemFromString(*name), system);
    }
    EXPECT_EQ(ORKMeasurementSystemToString(ORKMeasurementSystemUSC), u"USC"_s);
    EXPECT_EQ(ORKMeasurementSystemToString(3), std::nullopt);
    EXPECT_EQ(ORKMeasurementSystemToString(-1), std::nullopt);
    EXPECT_EQ(ORKMeasurementSystemFromString(u"usc"_s), std::nullopt);
}

TEST(AnswerFormatDefaults, ScalesWithoutDefaultValueGetOneOutsideAnyRange) {
    const auto scale = ORKESerializer::objectFromJSONObject(
        jsonObject(R"({"_class":"ORKScaleAnswerFormat","minimum":0,"maximum":10,"step":2})"));
    ASSERT_TRUE(scale) << reasonOf(scale);
    const auto format = std::dynamic_pointer_cast<ORKScaleAnswerFormat>(*scale);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->defaultValue, 2147483647);
    EXPECT_EQ(format->step, 2);

    const auto continuous = ORKESerializer::objectFromJSONObject(
        jsonObject(R"({"_class":"ORKContinuousScaleAnswerFormat","maximum":1})"));
    ASSERT_TRUE(continuous) << reasonOf(continuous);
    const auto continuousFormat =
        std::dynamic_pointer_cast<ORKContinuousScaleAnswerFormat>(*continuous);
    ASSERT_TRUE(continuousFormat);
    EXPECT_EQ(continuousFormat->defaultValue, 1.7976931348623157e308);
    EXPECT_EQ(continuousFormat->maximum, 1.0);
}

TEST(AnswerFormatDefaults, NumericBoundsAndDefaultStayAbsentWhenNotGiven) {
    const auto decoded = ORKESerializer::objectFromJSONObject(
        jsonObject(R"({"_class":"ORKNumericAnswerFormat","style":"decimal"})"));
    ASSERT_TRUE(decoded) << reasonOf(decoded);
    const auto format = std::dynamic_pointer_cast<ORKNumericAnswerFormat>(*decoded);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->minimum, std::nullopt);
    EXPECT_EQ(format->maximum, std::nullopt);
    EXPECT_EQ(format->maximumFractionDigits, std::nullopt);
    EXPECT_EQ(format->defaultNumericAnswer, std::nullopt);
}

std::shared_ptr<ORKTextAnswerFormat> decodeTextFormat(const QByteArray& key,
                                                      const QByteArray& valueJson) {
    const auto decoded = ORKESerializer::objectFromJSONObject(
        jsonObject(R"({"_class":"ORKTextAnswerFormat",")" + key + R"(":)" + valueJson + "}"));
    EXPECT_TRUE(decoded) << reasonOf(decoded);
    return decoded ? std::dynamic_pointer_cast<ORKTextAnswerFormat>(*decoded) : nullptr;
}

TEST(TextAnswerFormatValues, RegularExpressionNeedsExactlyPatternAndOptions) {
    const struct {
        const char* json;
        std::optional<RegularExpression> expected;
    } cases[] = {
        {R"({"pattern":"^[0-9]+$"})", std::nullopt},
        {R"({"pattern":"^a$","options":["NSRegularExpressionCaseInsensitive",
             "NSRegularExpressionAnchorsMatchLines"]})",
         RegularExpression{u"^a$"_s, 1 | 16}},
        {R"({"pattern":"x","options":["NSRegularExpressionAllowCommentsAndWhitespace",
             "NSRegularExpressionIgnoreMetacharacters",
             "NSRegularExpressionDotMatchesLineSeparators",
             "NSRegularExpressionUseUnixLineSeparators",
             "NSRegularExpressionUseUnicodeWordBoundaries","NotAnOption"]})",
         RegularExpression{u"x"_s, 2 | 4 | 8 | 32 | 64}},
        {R"({"pattern":"x","options":[]})", RegularExpression{u"x"_s, 0}},
        {R"({"pattern":"x","options":[],"flags":1})", std::nullopt},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.json);
        const auto format = decodeTextFormat("validationRegularExpression", testCase.json);
        ASSERT_TRUE(format);
        EXPECT_EQ(format->validationRegularExpression, testCase.expected);
    }
}

TEST(TextAnswerFormatValues, PasswordRulesNeedExactlyRules) {
    const struct {
        const char* json;
        std::optional<PasswordRules> expected;
    } cases[] = {
        {R"({"rules":"required: upper; minlength: 8;"})",
         PasswordRules{u"required: upper; minlength: 8;"_s}},
        {R"({"rules":"minlength: 8;","strict":true})", std::nullopt},
        {R"({})", std::nullopt},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.json);
        const auto format = decodeTextFormat("passwordRules", testCase.json);
        ASSERT_TRUE(format);
        EXPECT_EQ(format->passwordRules, testCase.expected);
    }
}

// An array element that is not of the row's value class fails the whole decode with the nested
// message, whose last line is the element's own failure.
struct ElementFailureCase {
    const char* name;
    const char* document;
    const char* message;
};

void PrintTo(const ElementFailureCase& failure, std::ostream* os) { *os << failure.name; }

class ArrayElementFailureTest : public testing::TestWithParam<ElementFailureCase> {};

TEST_P(ArrayElementFailureTest, FailsWithTheNestedMessage) {
    const ElementFailureCase& failure = GetParam();
    const auto decoded = ORKESerializer::objectFromJSONObject(jsonObject(failure.document));
    ASSERT_FALSE(decoded);
    EXPECT_EQ(decoded.error().failureReason(), QString::fromUtf8(failure.message));
    const auto& underlying = decoded.error().underlyingError();
    ASSERT_TRUE(underlying);
    EXPECT_TRUE(QString::fromUtf8(failure.message).endsWith(u'\n' + underlying->failureReason()));
}

INSTANTIATE_TEST_SUITE_P(
    Elements, ArrayElementFailureTest,
    testing::Values(
        ElementFailureCase{
            "ScaleColorText",
            R"({"_class":"ORKScaleAnswerFormat","maximum":5,"gradientColors":["red"]})",
            "Could not convert 'gradientColors' to array of class UIColor:\n"
            "Unexpected input of class NSString for UIColor"},
        ElementFailureCase{
            "ContinuousScaleColorNumber",
            R"({"_class":"ORKContinuousScaleAnswerFormat","gradientColors":[16711680]})",
            "Could not convert 'gradientColors' to array of class UIColor:\n"
            "Unexpected input of class NSNumber for UIColor"},
        ElementFailureCase{"TextScaleColorObject",
                           R"({"_class":"ORKTextScaleAnswerFormat","gradientColors":[{"red":1}]})",
                           "Could not convert 'gradientColors' to array of class UIColor:\n"
                           "Expected subclass of UIColor but got (null)"},
        ElementFailureCase{"TextChoiceOfWrongClass",
                           R"({"_class":"ORKTextChoiceAnswerFormat","style":"singleChoice",
                "textChoices":[{"_class":"ORKImageChoice","text":"A","value":1}]})",
                           "Could not convert 'textChoices' to array of class ORKTextChoice:\n"
                           "Expected subclass of ORKTextChoice but got ORKImageChoice"},
        ElementFailureCase{"ImageChoiceOfWrongClass",
                           R"({"_class":"ORKImageChoiceAnswerFormat",
                "imageChoices":[{"_class":"ORKTextChoiceOther","text":"A"}]})",
                           "Could not convert 'imageChoices' to array of class ORKImageChoice:\n"
                           "Expected subclass of ORKImageChoice but got ORKTextChoiceOther"},
        ElementFailureCase{
            "ValuePickerOfWrongClass",
            R"({"_class":"ORKMultipleValuePickerAnswerFormat",
                "valuePickers":[{"_class":"ORKTextChoiceAnswerFormat","style":"singleChoice"}]})",
            "Could not convert 'valuePickers' to array of class ORKValuePickerAnswerFormat:\n"
            "Expected subclass of ORKValuePickerAnswerFormat but got ORKTextChoiceAnswerFormat"}),
    [](const testing::TestParamInfo<ElementFailureCase>& info) {
        return std::string(info.param.name);
    });

TEST(DontKnowAnswer, NoAnswerKeyGivesTheSharedAnswerAndEncodesBackUnderItsPrefix) {
    const auto decoded = ORKESerializer::objectFromJSONObject(
        jsonObject(R"({"_class":"ORKTextChoice","text":"Unsure",
                       "noAnswer_value":{"_class":"ORKDontKnowAnswer"}})"));
    ASSERT_TRUE(decoded) << reasonOf(decoded);
    const auto choice = std::dynamic_pointer_cast<ORKTextChoice>(*decoded);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->value.object<ORKDontKnowAnswer>(), ORKDontKnowAnswer::answer());
    EXPECT_EQ(choice->text, u"Unsure"_s);

    const QJsonObject encoded = encode(*decoded);
    EXPECT_FALSE(encoded.contains(u"value"));
    EXPECT_EQ(encoded.value(u"noAnswer_value"),
              QJsonValue(QJsonObject{{u"_class"_s, u"ORKDontKnowAnswer"_s}}));
    const auto again = ORKESerializer::objectFromJSONObject(encoded);
    ASSERT_TRUE(again) << reasonOf(again);
    const auto choiceAgain = std::dynamic_pointer_cast<ORKTextChoice>(*again);
    ASSERT_TRUE(choiceAgain);
    EXPECT_EQ(choiceAgain->value.object<ORKDontKnowAnswer>(), ORKDontKnowAnswer::answer());
}

TEST(DontKnowAnswer, DecodesToTheSharedInstance) {
    const auto decoded =
        ORKESerializer::objectFromJSONObject(jsonObject(R"({"_class":"ORKDontKnowAnswer"})"));
    ASSERT_TRUE(decoded) << reasonOf(decoded);
    EXPECT_EQ(*decoded, Value::Object(ORKDontKnowAnswer::answer()));
}

}  // namespace
}  // namespace pathloom
