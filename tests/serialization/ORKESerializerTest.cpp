#include "serialization/ORKESerializer.h"

#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "foundation/Json.h"
#include "serialization/EncodingTable.h"
#include "serialization/ORKESerializationDictionaryLocalizer.h"
#include "taskmodel/ORKCompletionStep.h"
#include "taskmodel/ORKFormStep.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <thread>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;

QString failureOf(const QByteArray& document, const ORKESerializationContext& context = {}) {
    const auto decoded = ORKESerializer::objectFromJSONObject(jsonObject(document), context);
    return decoded ? u"(decoded)"_s : decoded.error().failureReason();
}

template <typename T>
std::shared_ptr<T> decodeAs(const QByteArray& document,
                            const ORKESerializationContext& context = {}) {
    const auto decoded = ORKESerializer::objectFromJSONObject(jsonObject(document), context);
    EXPECT_TRUE(decoded) << (decoded ? "" : decoded.error().failureReason().toStdString());
    return decoded ? std::dynamic_pointer_cast<T>(*decoded) : nullptr;
}

ORKESerializationContext translating(QHash<QString, QString> translations) {
    ORKESerializationContext context;
    context.localizer =
        std::make_shared<ORKESerializationDictionaryLocalizer>(std::move(translations));
    return context;
}

struct FailureCase {
    const char* name;
    QByteArray document;
    const char* message;
};

void PrintTo(const FailureCase& failure, std::ostream* os) { *os << failure.name; }

class SerializerFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(SerializerFailureTest, ReportsTheNestedMessage) {
    EXPECT_EQ(failureOf(GetParam().document), QString::fromUtf8(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Documents, SerializerFailureTest,
    testing::Values(
        FailureCase{"NoClass", R"({"identifier":"s"})",
                    "Expected subclass of (null) but got (null)"},
        FailureCase{"UnknownClass", R"({"_class":"ORKNoSuchStep"})",
                    "Expected subclass of (null) but got ORKNoSuchStep"},
        FailureCase{
            "TextUnderANumberKey", R"({"_class":"ORKStep","identifier":"s","optional":"yes"})",
            "Could not convert 'optional':\nUnexpected input of class NSString for NSNumber"},
        FailureCase{"NumberUnderATextKey", R"({"_class":"ORKStep","identifier":"s","title":3})",
                    "Could not convert 'title':\nUnexpected input of class NSNumber for NSString"},
        FailureCase{"NullUnderATextKey", R"({"_class":"ORKStep","identifier":"s","title":null})",
                    "Could not convert 'title':\nUnexpected input of class NSNull for NSString"},
        FailureCase{"ArrayUnderATextKey", R"({"_class":"ORKStep","identifier":"s","text":["a"]})",
                    "Could not convert 'text':\nUnexpected input of class NSArray for NSString"},
        FailureCase{
            "WrongClassUnderAnswerFormat",
            R"({"_class":"ORKQuestionStep","identifier":"q","answerFormat":{"_class":"ORKInstructionStep"}})",
            "Could not convert 'answerFormat':\nExpected subclass of ORKAnswerFormat but got "
            "ORKInstructionStep"},
        FailureCase{"AnswerFormatWithoutClass",
                    R"({"_class":"ORKQuestionStep","identifier":"q","answerFormat":{"yes":"Y"}})",
                    "Could not convert 'answerFormat':\nExpected subclass of ORKAnswerFormat but "
                    "got (null)"},
        FailureCase{
            "WrongElementInAnArray",
            R"({"_class":"ORKStep","identifier":"s","bodyItems":[{"_class":"ORKStep","identifier":"x"}]})",
            "Could not convert 'bodyItems' to array of class ORKBodyItem:\nExpected subclass of "
            "ORKBodyItem but got ORKStep"},
        FailureCase{
            "FailureInsideANestedObject",
            R"({"_class":"ORKQuestionStep","identifier":"q","answerFormat":{"_class":"ORKBooleanAnswerFormat","yes":1}})",
            "Could not convert 'answerFormat':\nCould not convert 'yes':\nUnexpected input of "
            "class NSNumber for NSString"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(ORKESerializer, KeepsTheInnerErrorAsUnderlyingError) {
    const auto decoded = ORKESerializer::objectFromJSONObject(
        jsonObject(R"({"_class":"ORKStep","identifier":"s","title":3})"));
    ASSERT_FALSE(decoded);
    ASSERT_TRUE(decoded.error().underlyingError());
    EXPECT_EQ(decoded.error().underlyingError()->failureReason(),
              u"Unexpected input of class NSNumber for NSString"_s);
    const Error error = decoded.error();
    EXPECT_EQ(error.domain(), u"ORKESerializationErrorDomain"_s);
    EXPECT_EQ(error.code(), 1001);
    EXPECT_EQ(error.localizedDescription(), decoded.error().failureReason());
}

TEST(ORKESerializer, RefusesAnArrayAtTheTopAndPassesJsonErrorsOn) {
    const auto array = ORKESerializer::objectFromJSONData("[1,2]");
    ASSERT_FALSE(array);
    ASSERT_TRUE(array.error().as<ORKESerializationError>());
    EXPECT_EQ(array.error().localizedDescription(),
              u"Unexpected input of class NSArray for (null)"_s);

    const auto broken = ORKESerializer::objectFromJSONData("{\"_class\":");
    ASSERT_FALSE(broken);
    EXPECT_TRUE(broken.error().as<JsonError>());
}

TEST(ORKESerializer, DecodesFromJsonTextAndWritesItBack) {
    const auto step = ORKESerializer::objectFromJSONData(
        R"({"_class":"ORKCompletionStep","identifier":"done","title":"Thanks","optional":true,"unknown":[1]})");
    ASSERT_TRUE(step);
    const auto completion = std::dynamic_pointer_cast<ORKCompletionStep>(*step);
    ASSERT_TRUE(completion) << "the class named under _class is built";
    EXPECT_EQ(completion->identifier, u"done"_s);
    EXPECT_EQ(completion->title, u"Thanks"_s);
    EXPECT_TRUE(completion->optional);

    const auto text = ORKESerializer::JSONDataForObject(Value(*step));
    ASSERT_TRUE(text);
    const QJsonObject written = json::parse(*text)->toObject();
    EXPECT_EQ(written.value(u"_class"), QJsonValue(u"ORKCompletionStep"_s));
    EXPECT_EQ(written.value(u"title"), QJsonValue(u"Thanks"_s));
    EXPECT_EQ(written.value(u"optional"), QJsonValue(true));
    EXPECT_FALSE(written.contains(u"unknown"_s)) << "unknown keys are ignored";
    EXPECT_FALSE(written.contains(u"text"_s)) << "absent values are not written";
}

// A number property read as an integer from a document number beyond the integer range.
TEST(ORKESerializer, NumbersBeyondTheIntegerRangeSaturate) {
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    const struct {
        QByteArray number;
        qint64 expected;
    } cases[] = {
        {"4.4e111", kMax},
        {"-4.4e111", kMin},
        {"9223372036854775808", kMax},
        {"-9223372036854775808", kMin},
        {"1.7e308", kMax},
        {"-2.9", -2},
    };
    for (const auto& number : cases) {
        const auto step = decodeAs<ORKFormStep>(
            R"({"_class":"ORKFormStep","identifier":"f","cardViewStyle":)" + number.number + "}");
        ASSERT_TRUE(step) << number.number.toStdString();
        EXPECT_EQ(step->cardViewStyle, number.expected) << number.number.toStdString();
    }
}

TEST(ORKESerializer, TranslatesTextsButNeverTheIdentifier) {
    const auto step = decodeAs<ORKStep>(
        R"({"_class":"ORKInstructionStep","identifier":"Welcome","title":"Welcome","text":"Other"})",
        translating({{u"Welcome"_s, u"Bienvenue"_s}}));
    ASSERT_TRUE(step);
    EXPECT_EQ(step->identifier, u"Welcome"_s);
    EXPECT_EQ(step->title, u"Bienvenue"_s);
    EXPECT_EQ(step->text, u"Other"_s);
}

class Shouting : public ORKESerializationStringInterpolator {
public:
    QString interpolatedStringForString(const QString& string) const override {
        return string.toUpper();
    }
};

TEST(ORKESerializer, InterpolatesAfterTranslating) {
    ORKESerializationContext context = translating({{u"Hello"_s, u"Bonjour"_s}});
    context.stringInterpolator = std::make_shared<Shouting>();
    const auto step =
        decodeAs<ORKStep>(R"({"_class":"ORKStep","identifier":"id","title":"Hello"})", context);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->title, u"BONJOUR"_s);
    EXPECT_EQ(step->identifier, u"id"_s);
}

TEST(ORKESerializer, DecodesImagesToNothingWithoutAnImageProvider) {
    const auto step =
        decodeAs<ORKStep>(R"({"_class":"ORKStep","identifier":"s","image":{"imageName":"star"}})");
    ASSERT_TRUE(step);
    EXPECT_EQ(step->image, std::nullopt);
}

TEST(ORKESerializer, ReadsTextsAndImagesOfAResourceBundle) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile strings(dir.filePath(u"Survey.json"_s));
    ASSERT_TRUE(strings.open(QIODevice::WriteOnly));
    strings.write(R"({"Hello":"Hallo"})");
    strings.close();
    QImage logo(4, 3, QImage::Format_ARGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(dir.filePath(u"logo.png"_s)));

    const ORKESerializationContext context =
        ORKESerializationContext::fromBundle(ResourceBundle(dir.path()), u"Survey"_s, {});
    const auto step = decodeAs<ORKStep>(
        R"({"_class":"ORKStep","identifier":"s","title":"Hello","text":"Bye","image":{"imageName":"logo"}})",
        context);

    ASSERT_TRUE(step);
    EXPECT_EQ(step->title, u"Hallo"_s);
    EXPECT_EQ(step->text, u"Bye"_s);
    ASSERT_TRUE(step->image);
    EXPECT_EQ(step->image->size(), QSize(4, 3));
    const QJsonObject encoded =
        ORKESerializer::JSONObjectForObject(Value(step), context).toObject();
    EXPECT_EQ(encoded.value(u"image"), QJsonValue(QJsonObject{{u"imageName"_s, u""_s}}));
}

TEST(ORKESerializationPropertyInjector, ReplacesOnlyExistingValuesOfTheNamedClass) {
    const ORKESerializationPropertyInjector injector(
        ResourceBundle(u"/bundle"_s),
        {{u"ORKInstructionStep.detailText"_s, QJsonValue(u"Injected"_s), 1},
         {u"ORKInstructionStep.footnote"_s, QJsonValue(u"first"_s), 1},
         {u"ORKInstructionStep.footnote"_s, QJsonValue(u"video.mp4"_s), 0},
         {u"NoDot"_s, QJsonValue(1), 1}});

    EXPECT_EQ(
        injector.injectedDictionaryWithDictionary(jsonObject(
            R"({"_class":"ORKInstructionStep","detailText":"Original","footnote":"f"})")),
        jsonObject(
            R"({"_class":"ORKInstructionStep","detailText":"Injected","footnote":"/bundle/video.mp4"})"));
    EXPECT_EQ(
        injector.injectedDictionaryWithDictionary(jsonObject(R"({"_class":"ORKInstructionStep"})")),
        jsonObject(R"({"_class":"ORKInstructionStep"})"))
        << "keys are never added";
    EXPECT_EQ(injector.injectedDictionaryWithDictionary(
                  jsonObject(R"({"_class":"ORKCompletionStep","detailText":"Original"})")),
              jsonObject(R"({"_class":"ORKCompletionStep","detailText":"Original"})"))
        << "a subclass is another class";
}

TEST(ORKESerializationPropertyInjector, AppliesWhileDecoding) {
    ORKESerializationContext context;
    context.propertyInjector = std::make_shared<ORKESerializationPropertyInjector>(
        ResourceBundle(u"/bundle"_s),
        QList<ORKESerializationPropertyModifier>{
            {u"ORKInstructionStep.detailText"_s, QJsonValue(u"Injected"_s), 1}});
    const auto step = decodeAs<ORKStep>(
        R"({"_class":"ORKInstructionStep","identifier":"i","detailText":"Original"})", context);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->detailText, u"Injected"_s);
}

// A class of the host's own, registered at run time.
class Gadget : public ORKObject {
public:
    std::optional<QString> name;
    QMap<QString, QString> labels;
    QList<QString> tags;
    std::optional<QString> secret;
};

class SecretGadget : public Gadget {};

class RegisteredClassTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static const bool registered = [] {
            EncodingTable& table = EncodingTable::shared();
            const ObjectClass& gadget = table.declareClass<Gadget, ORKObject>(u"Gadget"_s);
            const ObjectClass& secretGadget =
                table.declareClass<SecretGadget, Gadget>(u"SecretGadget"_s);
            const ObjectClass* text = table.classNamed(u"NSString"_s);
            ORKESerializer::registerSerializableClass(gadget, nullptr);
            ORKESerializer::registerSerializableClassPropertyName(
                u"name"_s, gadget, text, nullptr, true, nullptr, nullptr, false,
                fieldAccessor<Gadget, Gadget>(&Gadget::name));
            ORKESerializer::registerSerializableClassPropertyName(
                u"labels"_s, gadget, text, table.classNamed(u"NSDictionary"_s), true, nullptr,
                nullptr, false, fieldAccessor<Gadget, Gadget>(&Gadget::labels));
            ORKESerializer::registerSerializableClassPropertyName(
                u"tags"_s, gadget, text, table.classNamed(u"NSArray"_s), true, nullptr, nullptr,
                false, fieldAccessor<Gadget, Gadget>(&Gadget::tags));
            ORKESerializer::registerSerializableClassPropertyName(
                u"secret"_s, gadget, text, nullptr, true, nullptr, nullptr, false,
                fieldAccessor<Gadget, Gadget>(&Gadget::secret));
            ORKESerializer::registerSerializableClassPropertyName(
                u"secret"_s, secretGadget, text, nullptr, true, nullptr, nullptr, true,
                fieldAccessor<SecretGadget, Gadget>(&Gadget::secret));
            ORKESerializer::registerSerializableClass(
                table.declareClass<ORKStep, ORKObject>(u"ORKSwiftStroopStep"_s), nullptr);
            return true;
        }();
        (void)registered;
    }
};

TEST_F(RegisteredClassTest, LeavesTextsInsideMapsAndArraysUntranslated) {
    const auto gadget = decodeAs<Gadget>(
        R"({"_class":"Gadget","name":"Hello","labels":{"a":"Hello"},"tags":["Hello"]})",
        translating({{u"Hello"_s, u"Bonjour"_s}}));
    ASSERT_TRUE(gadget);
    EXPECT_EQ(gadget->name, u"Bonjour"_s);
    EXPECT_EQ(gadget->labels, (QMap<QString, QString>{{u"a"_s, u"Hello"_s}}));
    EXPECT_EQ(gadget->tags, QList<QString>{u"Hello"_s});
}

TEST_F(RegisteredClassTest, ReportsTheFailingValueOfAMap) {
    EXPECT_EQ(
        failureOf(R"({"_class":"Gadget","labels":{"a":1}})"),
        u"Could not convert 'labels' to object of class NSString:\nUnexpected input of class NSNumber for NSString"_s);
}

TEST_F(RegisteredClassTest, OverwritesARegisteredPropertyAndHidesSkippedOnes) {
    const auto gadget =
        decodeAs<SecretGadget>(R"({"_class":"SecretGadget","name":"n","secret":"s"})");
    ASSERT_TRUE(gadget);
    EXPECT_EQ(gadget->secret, u"s"_s) << "a skipped property is still decoded";

    const QJsonObject encoded = ORKESerializer::JSONObjectForObject(Value(gadget)).toObject();
    EXPECT_EQ(encoded.value(u"name"), QJsonValue(u"n"_s));
    EXPECT_FALSE(encoded.contains(u"secret"_s)) << "skipping hides the base class's property";
}

class Gizmo : public Gadget {};

TEST_F(RegisteredClassTest, APropertyRegisteredAfterUseIsReadFromThenOn) {
    EncodingTable& table = EncodingTable::shared();
    const ObjectClass& gizmo = table.declareClass<Gizmo, Gadget>(u"Gizmo"_s);
    ORKESerializer::registerSerializableClass(gizmo, nullptr);
    const QByteArray json = R"({"_class":"Gizmo","name":"n","secret":"s"})";
    const auto before = decodeAs<Gizmo>(json);
    ASSERT_TRUE(before);
    EXPECT_EQ(before->name, u"n"_s) << "the base class's property";
    EXPECT_EQ(before->secret, u"s"_s);

    ORKESerializer::registerSerializableClassPropertyName(
        u"secret"_s, gizmo, table.classNamed(u"NSNumber"_s), nullptr, true, nullptr, nullptr, false,
        fieldAccessor<Gizmo, Gadget>(&Gadget::secret));
    EXPECT_EQ(failureOf(json),
              u"Could not convert 'secret':\nUnexpected input of class NSString for NSNumber"_s)
        << "the class's own property now hides its base's";
}

TEST_F(RegisteredClassTest, NeverListsStroopClasses) {
    QStringList names;
    for (const ObjectClass* objectClass : ORKESerializer::serializableClasses()) {
        names.append(objectClass->name());
    }
    EXPECT_TRUE(names.contains(u"Gadget"_s));
    EXPECT_TRUE(names.contains(u"ORKQuestionStep"_s));
    EXPECT_FALSE(names.contains(u"ORKSwiftStroopStep"_s));
}

TEST(EncodingTable, HasARowForEveryTaskFrameworkClass) {
    const QStringList rows{
        u"ORKResultSelector"_s,
        u"ORKPredicateStepNavigationRule"_s,
        u"ORKDirectStepNavigationRule"_s,
        u"ORKOrderedTask"_s,
        u"ORKNavigableOrderedTask"_s,
        u"ORKStep"_s,
        u"ORKBodyItem"_s,
        u"ORKLearnMoreItem"_s,
        u"ORKReviewStep"_s,
        u"ORKVisualConsentStep"_s,
        u"ORKPDFViewerStep"_s,
        u"ORKPasscodeStep"_s,
        u"ORKWaitStep"_s,
        u"ORKRecorderConfiguration"_s,
        u"ORKQuestionStep"_s,
        u"ORKInstructionStep"_s,
        u"ORKLearnMoreInstructionStep"_s,
        u"ORKSecondaryTaskStep"_s,
        u"ORKVideoInstructionStep"_s,
        u"ORKCompletionStep"_s,
        u"ORKCountdownStep"_s,
        u"ORKTouchAnywhereStep"_s,
        u"ORKWebViewStep"_s,
        u"ORKWebViewStepResult"_s,
        u"ORKActiveStep"_s,
        u"ORKImageCaptureStep"_s,
        u"ORKVideoCaptureStep"_s,
        u"ORKSignatureStep"_s,
        u"ORKTableStep"_s,
        u"ORKAudioRecorderConfiguration"_s,
        u"ORKConsentDocument"_s,
        u"ORKConsentSharingStep"_s,
        u"ORKConsentReviewStep"_s,
        u"ORKConsentSection"_s,
        u"ORKConsentSignature"_s,
        u"ORKRegistrationStep"_s,
        u"ORKRequestPermissionsStep"_s,
        u"ORKVerificationStep"_s,
        u"ORKLoginStep"_s,
        u"ORKDeviceMotionRecorderConfiguration"_s,
        u"ORKFormStep"_s,
        u"ORKFormItem"_s,
        u"ORKPageStep"_s,
        u"ORKNavigablePageStep"_s,
        u"ORKAnswerFormat"_s,
        u"ORKDontKnowAnswer"_s,
        u"ORKValuePickerAnswerFormat"_s,
        u"ORKMultipleValuePickerAnswerFormat"_s,
        u"ORKImageChoiceAnswerFormat"_s,
        u"ORKTextChoiceAnswerFormat"_s,
        u"ORKTextChoice"_s,
        u"ORKTextChoiceOther"_s,
        u"ORKImageChoice"_s,
        u"ORKTimeOfDayAnswerFormat"_s,
        u"ORKDateAnswerFormat"_s,
        u"ORKNumericAnswerFormat"_s,
        u"ORKScaleAnswerFormat"_s,
        u"ORKContinuousScaleAnswerFormat"_s,
        u"ORKTextScaleAnswerFormat"_s,
        u"ORKTextAnswerFormat"_s,
        u"ORKEmailAnswerFormat"_s,
        u"ORKConfirmTextAnswerFormat"_s,
        u"ORKTimeIntervalAnswerFormat"_s,
        u"ORKBooleanAnswerFormat"_s,
        u"ORKHeightAnswerFormat"_s,
        u"ORKWeightAnswerFormat"_s,
        u"ORKLocationAnswerFormat"_s,
        u"ORKSESAnswerFormat"_s,
        u"ORKCurrencyAnswerFormat"_s,
        u"ORKLocationRecorderConfiguration"_s,
        u"ORKPedometerRecorderConfiguration"_s,
        u"ORKTouchRecorderConfiguration"_s,
        u"ORKResult"_s,
        u"ORKFileResult"_s,
        u"ORKPasscodeResult"_s,
        u"ORKQuestionResult"_s,
        u"ORKScaleQuestionResult"_s,
        u"ORKChoiceQuestionResult"_s,
        u"ORKMultipleComponentQuestionResult"_s,
        u"ORKBooleanQuestionResult"_s,
        u"ORKTextQuestionResult"_s,
        u"ORKNumericQuestionResult"_s,
        u"ORKTimeOfDayQuestionResult"_s,
        u"ORKTimeIntervalQuestionResult"_s,
        u"ORKDateQuestionResult"_s,
        u"ORKLocation"_s,
        u"ORKLocationQuestionResult"_s,
        u"ORKSESQuestionResult"_s,
        u"ORKConsentSignatureResult"_s,
        u"ORKSignatureResult"_s,
        u"ORKCollectionResult"_s,
        u"ORKTaskResult"_s,
        u"ORKStepResult"_s,
        u"ORKPageResult"_s,
        u"ORKVideoInstructionStepResult"_s,
        u"ORKFrontFacingCameraStep"_s,
        u"ORKFrontFacingCameraStepResult"_s,
    };
    const auto& entries = EncodingTable::shared().entries();
    for (const QString& row : rows) {
        const auto entry = entries.find(row);
        ASSERT_NE(entry, entries.end()) << row.toStdString();
        EXPECT_EQ(entry->second.objectClass, EncodingTable::shared().classNamed(row));
    }
    EXPECT_EQ(QSet<QString>(rows.begin(), rows.end()).size(), 97);
}

TEST(ORKESerializer, ListsThePropertiesOfEachClassInTheChain) {
    const ObjectClass* completion = EncodingTable::shared().classNamed(u"ORKCompletionStep"_s);
    ASSERT_TRUE(completion);
    const QStringList properties = ORKESerializer::serializedPropertiesForClass(*completion);
    EXPECT_EQ(properties.count(u"detailText"_s), 2)
        << "once for the instruction step, once for the step";
    EXPECT_EQ(properties.first(), u"centerImageVertically"_s);
    EXPECT_TRUE(properties.contains(u"identifier"_s));
}

TEST(ORKESerializer, EncodesListsAndMapsValueByValue) {
    const auto step = std::make_shared<ORKStep>(u"s"_s);
    const QJsonValue encoded = ORKESerializer::JSONObjectForObject(
        Value(Value::Array{Value(step), Value(u"text"_s), Value(Value::Dictionary{{u"n"_s, 1}})}));
    ASSERT_TRUE(encoded.isArray());
    EXPECT_EQ(encoded.toArray().at(0).toObject().value(u"identifier"), QJsonValue(u"s"_s));
    EXPECT_EQ(encoded.toArray().at(1), QJsonValue(u"text"_s));
    EXPECT_EQ(encoded.toArray().at(2), QJsonValue(QJsonObject{{u"n"_s, 1}}));
    EXPECT_TRUE(ORKESerializer::JSONObjectForObject(Value()).isUndefined());
}

TEST(EncodingTable, IsBuiltOnceWhenManyThreadsAskAtOnce) {
    std::vector<const EncodingTable*> seen(4);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&seen, i] {
            seen[i] = &EncodingTable::shared();
            const auto step = ORKESerializer::objectFromJSONObject(
                jsonObject(R"({"_class":"ORKStep","identifier":"s","title":"t"})"));
            EXPECT_TRUE(step);
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const EncodingTable* table : seen) {
        EXPECT_EQ(table, seen.front());
    }
}

}  // namespace
}  // namespace pathloom
