#include "serialization/ORKESerializationDictionaryLocalizer.h"
#include "serialization/ORKESerializer.h"
#include "taskmodel/ORKAudioRecorderConfiguration.h"
#include "taskmodel/ORKBodyItem.h"
#include "taskmodel/ORKCompletionStep.h"
#include "taskmodel/ORKConsentDocument.h"
#include "taskmodel/ORKConsentReviewStep.h"
#include "taskmodel/ORKConsentSection.h"
#include "taskmodel/ORKConsentSharingStep.h"
#include "taskmodel/ORKConsentSignature.h"
#include "taskmodel/ORKCountdownStep.h"
#include "taskmodel/ORKDeviceMotionRecorderConfiguration.h"
#include "taskmodel/ORKFormStep.h"
#include "taskmodel/ORKFrontFacingCameraStep.h"
#include "taskmodel/ORKImageCaptureStep.h"
#include "taskmodel/ORKLocationRecorderConfiguration.h"
#include "taskmodel/ORKLoginStep.h"
#include "taskmodel/ORKNavigablePageStep.h"
#include "taskmodel/ORKPDFViewerStep.h"
#include "taskmodel/ORKPasscodeStep.h"
#include "taskmodel/ORKPedometerRecorderConfiguration.h"
#include "taskmodel/ORKQuestionStep.h"
#include "taskmodel/ORKRegistrationStep.h"
#include "taskmodel/ORKRequestPermissionsStep.h"
#include "taskmodel/ORKReviewStep.h"
#include "taskmodel/ORKSecondaryTaskStep.h"
#include "taskmodel/ORKSignatureStep.h"
#include "taskmodel/ORKTableStep.h"
#include "taskmodel/ORKTouchAnywhereStep.h"
#include "taskmodel/ORKTouchRecorderConfiguration.h"
#include "taskmodel/ORKVerificationStep.h"
#include "taskmodel/ORKVideoCaptureStep.h"
#include "taskmodel/ORKVideoInstructionStep.h"
#include "taskmodel/ORKVisualConsentStep.h"
#include "taskmodel/ORKWaitStep.h"
#include "taskmodel/ORKWebViewStep.h"

#include "JsonLiteral.h"
#include "QtPrinting.h"

#include <gtest/gtest.h>
#include <QJsonArray>

#include <functional>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;

// Images stand for their name, so that a reference survives decoding and encoding.
class NamedImageProvider : public ORKESerializationImageProvider {
public:
    std::optional<QImage> imageForReference(const QJsonObject& reference) const override {
        const QString name = reference.value(u"imageName").toString();
        if (name.isEmpty()) {
            return std::nullopt;
        }
        QImage image(1, 1, QImage::Format_ARGB32);
        image.setText(u"imageName"_s, name);
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
    return image ? image->text(u"imageName"_s) : u"<no image>"_s;
}

Value::Object decode(const QJsonObject& json, const ORKESerializationContext& context = {}) {
    const auto decoded = ORKESerializer::objectFromJSONObject(json, context);
    EXPECT_TRUE(decoded) << decoded.error().failureReason().toStdString();
    return decoded ? *decoded : nullptr;
}

template <typename T>
std::shared_ptr<T> decodeAs(const QByteArray& document,
                            const ORKESerializationContext& context = {}) {
    return std::dynamic_pointer_cast<T>(decode(jsonObject(document), context));
}

QJsonObject encode(const Value::Object& object, const ORKESerializationContext& context) {
    return ORKESerializer::JSONObjectForObject(Value(object), context).toObject();
}

// Every key of `expected`, at any depth, is in `actual` with the same value; `actual` may hold
// more (the properties the document left at their defaults).
void expectContains(const QJsonValue& expected, const QJsonValue& actual, const QString& path) {
    if (expected.isObject()) {
        ASSERT_TRUE(actual.isObject()) << path.toStdString();
        const QJsonObject expectedObject = expected.toObject();
        const QJsonObject actualObject = actual.toObject();
        for (auto it = expectedObject.begin(); it != expectedObject.end(); ++it) {
            const QString keyPath = path + u'.' + it.key();
            ASSERT_TRUE(actualObject.contains(it.key())) << "missing " << keyPath.toStdString();
            expectContains(it.value(), actualObject.value(it.key()), keyPath);
        }
    } else if (expected.isArray()) {
        ASSERT_TRUE(actual.isArray()) << path.toStdString();
        const QJsonArray expectedArray = expected.toArray();
        const QJsonArray actualArray = actual.toArray();
        ASSERT_EQ(expectedArray.size(), actualArray.size()) << path.toStdString();
        for (qsizetype i = 0; i < expectedArray.size(); ++i) {
            expectContains(expectedArray[i], actualArray[i],
                           path + u'[' + QString::number(i) + u']');
        }
    } else {
        EXPECT_EQ(expected, actual) << path.toStdString();
    }
}

using Check = std::function<void(const Value::Object&)>;

// A check of the fields of a decoded T.
template <typename T, typename F>
Check as(F check) {
    return [check](const Value::Object& object) {
        const auto typed = std::dynamic_pointer_cast<T>(object);
        ASSERT_TRUE(typed) << "decoded into another class";
        check(*typed);
    };
}

struct RowCase {
    const char* name;
    const char* document;
    Check check;
};

void PrintTo(const RowCase& rowCase, std::ostream* os) { *os << rowCase.name; }

const QByteArray kLearnMoreItem =
    R"({"_class":"ORKLearnMoreItem","text":"Why we ask",
        "learnMoreInstructionStep":{"_class":"ORKLearnMoreInstructionStep","identifier":"why",
                                    "title":"About this question"}})";

void expectLearnMoreItem(const ORKLearnMoreItem* item) {
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text, u"Why we ask"_s);
    ASSERT_TRUE(item->learnMoreInstructionStep);
    EXPECT_EQ(item->learnMoreInstructionStep->identifier, u"why"_s);
    EXPECT_EQ(item->learnMoreInstructionStep->title, u"About this question"_s);
}

void expectAnswerFormat(const std::shared_ptr<ORKAnswerFormat>& answerFormat) {
    ASSERT_TRUE(answerFormat);
    EXPECT_TRUE(answerFormat->showDontKnowButton);
    EXPECT_EQ(answerFormat->customDontKnowButtonText, u"Not sure"_s);
}

const std::vector<RowCase>& tellingRowCases() {
    static const std::vector<RowCase> cases = {
        {"Step",
         R"({"_class":"ORKStep","identifier":"intro","optional":true,"title":"Welcome",
             "text":"Read this","detailText":"In detail","headerTextAlignment":1,
             "footnote":"Small print","shouldTintImages":true,"useSurveyMode":true,
             "bodyItems":[{"_class":"ORKBodyItem","text":"First","bodyItemStyle":1},
                          {"_class":"ORKBodyItem","text":"Second","useCardStyle":true}],
             "imageContentMode":2,"iconImage":{"imageName":"icon"},
             "auxiliaryImage":{"imageName":"aux"},"image":{"imageName":"main"},
             "bodyItemTextAlignment":2,"buildInBodyItems":true,"useExtendedPadding":true})",
         as<ORKStep>([](const ORKStep& step) {
             EXPECT_EQ(step.identifier, u"intro"_s);
             EXPECT_TRUE(step.optional);
             EXPECT_EQ(step.title, u"Welcome"_s);
             EXPECT_EQ(step.text, u"Read this"_s);
             EXPECT_EQ(step.detailText, u"In detail"_s);
             EXPECT_EQ(step.headerTextAlignment, 1);
             EXPECT_EQ(step.footnote, u"Small print"_s);
             EXPECT_TRUE(step.shouldTintImages);
             EXPECT_TRUE(step.useSurveyMode);
             ASSERT_EQ(step.bodyItems.size(), 2);
             ASSERT_TRUE(step.bodyItems[0] && step.bodyItems[1]);
             EXPECT_EQ(step.bodyItems[0]->text, u"First"_s);
             EXPECT_EQ(step.bodyItems[0]->bodyItemStyle, 1);
             EXPECT_EQ(step.bodyItems[1]->text, u"Second"_s);
             EXPECT_TRUE(step.bodyItems[1]->useCardStyle);
             EXPECT_EQ(step.imageContentMode, 2);
             EXPECT_EQ(imageName(step.iconImage), u"icon"_s);
             EXPECT_EQ(imageName(step.auxiliaryImage), u"aux"_s);
             EXPECT_EQ(imageName(step.image), u"main"_s);
             EXPECT_EQ(step.bodyItemTextAlignment, 2);
             EXPECT_TRUE(step.buildInBodyItems);
             EXPECT_TRUE(step.useExtendedPadding);
         })},
        {"InstructionStep",
         R"({"_class":"ORKInstructionStep","identifier":"read","title":"Before you start",
             "detailText":"Sit down","footnote":"Takes a minute","centerImageVertically":true})",
         as<ORKInstructionStep>([](const ORKInstructionStep& step) {
             EXPECT_EQ(step.identifier, u"read"_s);
             EXPECT_EQ(step.title, u"Before you start"_s);
             EXPECT_EQ(step.detailText, u"Sit down"_s);
             EXPECT_EQ(step.footnote, u"Takes a minute"_s);
             EXPECT_TRUE(step.centerImageVertically);
         })},
        {"VideoInstructionStep",
         R"({"_class":"ORKVideoInstructionStep","identifier":"video","title":"Watch",
             "detailText":"Then go on","videoURL":"https://example.com/videos/intro.mp4",
             "thumbnailTime":2.5})",
         as<ORKVideoInstructionStep>([](const ORKVideoInstructionStep& step) {
             EXPECT_EQ(step.identifier, u"video"_s);
             EXPECT_EQ(step.detailText, u"Then go on"_s);
             EXPECT_EQ(step.videoURL, QUrl(u"https://example.com/videos/intro.mp4"_s));
             EXPECT_DOUBLE_EQ(step.thumbnailTime, 2.5);
         })},
        {"CompletionStep",
         R"({"_class":"ORKCompletionStep","identifier":"done","title":"Thank you",
             "centerImageVertically":true})",
         as<ORKCompletionStep>([](const ORKCompletionStep& step) {
             EXPECT_EQ(step.identifier, u"done"_s);
             EXPECT_EQ(step.title, u"Thank you"_s);
             EXPECT_TRUE(step.centerImageVertically);
         })},
        {"LearnMoreInstructionStep",
         R"({"_class":"ORKLearnMoreInstructionStep","identifier":"more","title":"Details",
             "detailText":"All of them"})",
         as<ORKLearnMoreInstructionStep>([](const ORKLearnMoreInstructionStep& step) {
             EXPECT_EQ(step.identifier, u"more"_s);
             EXPECT_EQ(step.title, u"Details"_s);
             EXPECT_EQ(step.detailText, u"All of them"_s);
         })},
        {"QuestionStep",
         R"({"_class":"ORKQuestionStep","identifier":"mood","title":"Mood",
             "answerFormat":{"_class":"ORKAnswerFormat","showDontKnowButton":true,
                             "customDontKnowButtonText":"Not sure"},
             "placeholder":"Tap to answer","question":"How do you feel?","useCardView":true,
             "learnMoreItem":LEARN_MORE,"tagText":"Daily"})",
         as<ORKQuestionStep>([](const ORKQuestionStep& step) {
             EXPECT_EQ(step.identifier, u"mood"_s);
             EXPECT_EQ(step.title, u"Mood"_s);
             expectAnswerFormat(step.answerFormat);
             EXPECT_EQ(step.placeholder, u"Tap to answer"_s);
             EXPECT_EQ(step.question, u"How do you feel?"_s);
             EXPECT_TRUE(step.useCardView);
             expectLearnMoreItem(step.learnMoreItem.get());
             EXPECT_EQ(step.tagText, u"Daily"_s);
         })},
        {"FormStep",
         R"({"_class":"ORKFormStep","identifier":"profile","title":"About you",
             "formItems":[{"_class":"ORKFormItem","identifier":"name","text":"Name"},
                          {"_class":"ORKFormItem","identifier":"section","text":"Contact"}],
             "footnote":"All fields are private","useCardView":true,"footerText":"Thanks",
             "cardViewStyle":1})",
         as<ORKFormStep>([](const ORKFormStep& step) {
             EXPECT_EQ(step.identifier, u"profile"_s);
             ASSERT_EQ(step.formItems.size(), 2);
             ASSERT_TRUE(step.formItems[0] && step.formItems[1]);
             EXPECT_EQ(step.formItems[0]->identifier, u"name"_s);
             EXPECT_EQ(step.formItems[0]->text, u"Name"_s);
             EXPECT_EQ(step.formItems[1]->identifier, u"section"_s);
             EXPECT_EQ(step.footnote, u"All fields are private"_s);
             EXPECT_TRUE(step.useCardView);
             EXPECT_EQ(step.footerText, u"Thanks"_s);
             EXPECT_EQ(step.cardViewStyle, 1);
         })},
        {"FormItem",
         R"({"_class":"ORKFormItem","identifier":"age","optional":true,"showsProgress":true,
             "text":"Age","detailText":"In years","placeholder":"42",
             "answerFormat":{"_class":"ORKAnswerFormat","showDontKnowButton":true,
                             "customDontKnowButtonText":"Not sure"},
             "learnMoreItem":LEARN_MORE,"tagText":"Required"})",
         as<ORKFormItem>([](const ORKFormItem& item) {
             EXPECT_EQ(item.identifier, u"age"_s);
             EXPECT_TRUE(item.optional);
             EXPECT_TRUE(item.showsProgress);
             EXPECT_EQ(item.text, u"Age"_s);
             EXPECT_EQ(item.detailText, u"In years"_s);
             EXPECT_EQ(item.placeholder, u"42"_s);
             expectAnswerFormat(item.answerFormat);
             expectLearnMoreItem(item.learnMoreItem.get());
             EXPECT_EQ(item.tagText, u"Required"_s);
         })},
        {"ActiveStep",
         R"({"_class":"ORKActiveStep","identifier":"walk","title":"Walk","stepDuration":30.5,
             "shouldShowDefaultTimer":true,"shouldSpeakCountDown":true,
             "shouldSpeakRemainingTimeAtHalfway":true,"shouldStartTimerAutomatically":true,
             "shouldPlaySoundOnStart":true,"shouldPlaySoundOnFinish":true,
             "shouldVibrateOnStart":true,"shouldVibrateOnFinish":true,
             "shouldUseNextAsSkipButton":true,"shouldContinueOnFinish":true,
             "spokenInstruction":"Start walking","finishedSpokenInstruction":"Stop",
             "recorderConfigurations":[
                 {"_class":"ORKPedometerRecorderConfiguration","identifier":"steps"},
                 {"_class":"ORKDeviceMotionRecorderConfiguration","identifier":"motion",
                  "frequency":100}]})",
         as<ORKActiveStep>([](const ORKActiveStep& step) {
             EXPECT_EQ(step.identifier, u"walk"_s);
             EXPECT_DOUBLE_EQ(step.stepDuration, 30.5);
             for (const bool flag :
                  {step.shouldShowDefaultTimer, step.shouldSpeakCountDown,
                   step.shouldSpeakRemainingTimeAtHalfway, step.shouldStartTimerAutomatically,
                   step.shouldPlaySoundOnStart, step.shouldPlaySoundOnFinish,
                   step.shouldVibrateOnStart, step.shouldVibrateOnFinish,
                   step.shouldUseNextAsSkipButton, step.shouldContinueOnFinish}) {
                 EXPECT_TRUE(flag);
             }
             EXPECT_EQ(step.spokenInstruction, u"Start walking"_s);
             EXPECT_EQ(step.finishedSpokenInstruction, u"Stop"_s);
             ASSERT_EQ(step.recorderConfigurations.size(), 2);
             const auto pedometer = std::dynamic_pointer_cast<ORKPedometerRecorderConfiguration>(
                 step.recorderConfigurations[0]);
             ASSERT_TRUE(pedometer);
             EXPECT_EQ(pedometer->identifier, u"steps"_s);
             const auto motion = std::dynamic_pointer_cast<ORKDeviceMotionRecorderConfiguration>(
                 step.recorderConfigurations[1]);
             ASSERT_TRUE(motion);
             EXPECT_DOUBLE_EQ(motion->frequency, 100);
         })},
        {"SignatureStep",
         R"({"_class":"ORKSignatureStep","identifier":"sign","title":"Sign here",
             "stepDuration":60,"shouldContinueOnFinish":true})",
         as<ORKSignatureStep>([](const ORKSignatureStep& step) {
             EXPECT_EQ(step.identifier, u"sign"_s);
             EXPECT_EQ(step.title, u"Sign here"_s);
             EXPECT_DOUBLE_EQ(step.stepDuration, 60);
             EXPECT_TRUE(step.shouldContinueOnFinish);
         })},
        {"ImageCaptureStep",
         R"({"_class":"ORKImageCaptureStep","identifier":"photo","title":"Photo",
             "templateImageInsets":{"top":1,"left":2.5,"bottom":3,"right":4},
             "accessibilityHint":"Double tap to capture","accessibilityInstructions":"Hold still",
             "captureRaw":true,"templateImage":{"imageName":"outline"},"devicePosition":2})",
         as<ORKImageCaptureStep>([](const ORKImageCaptureStep& step) {
             EXPECT_EQ(step.identifier, u"photo"_s);
             EXPECT_EQ(step.templateImageInsets, (EdgeInsets{1, 2.5, 3, 4}));
             EXPECT_EQ(step.accessibilityHint, u"Double tap to capture"_s);
             EXPECT_EQ(step.accessibilityInstructions, u"Hold still"_s);
             EXPECT_TRUE(step.captureRaw);
             EXPECT_EQ(imageName(step.templateImage), u"outline"_s);
             EXPECT_EQ(step.devicePosition, 2);
         })},
        {"VideoCaptureStep",
         R"({"_class":"ORKVideoCaptureStep","identifier":"clip","title":"Video",
             "templateImageInsets":{"top":5,"left":6,"bottom":7,"right":8},"duration":12.5,
             "audioMute":true,"torchMode":2,"devicePosition":1,
             "accessibilityHint":"Double tap to record","accessibilityInstructions":"Keep going",
             "templateImage":{"imageName":"frame"}})",
         as<ORKVideoCaptureStep>([](const ORKVideoCaptureStep& step) {
             EXPECT_EQ(step.identifier, u"clip"_s);
             EXPECT_EQ(step.templateImageInsets, (EdgeInsets{5, 6, 7, 8}));
             EXPECT_DOUBLE_EQ(step.duration, 12.5);
             EXPECT_TRUE(step.audioMute);
             EXPECT_EQ(step.torchMode, 2);
             EXPECT_EQ(step.devicePosition, 1);
             EXPECT_EQ(step.accessibilityHint, u"Double tap to record"_s);
             EXPECT_EQ(step.accessibilityInstructions, u"Keep going"_s);
             EXPECT_EQ(imageName(step.templateImage), u"frame"_s);
         })},
        {"TableStep",
         R"({"_class":"ORKTableStep","identifier":"fruit","title":"Fruit",
             "items":["Apples",3,2.5,true,{"name":"Pear"},["nested"]],"isBulleted":true,
             "bulletIconNames":["leaf","drop"],"allowsSelection":true,"bulletType":3,
             "pinNavigationContainer":true})",
         as<ORKTableStep>([](const ORKTableStep& step) {
             EXPECT_EQ(step.identifier, u"fruit"_s);
             const QList<Value> items{u"Apples"_s,
                                      qint64(3),
                                      2.5,
                                      true,
                                      Value::Dictionary{{u"name"_s, u"Pear"_s}},
                                      Value::Array{u"nested"_s}};
             EXPECT_TRUE(step.items == items);
             EXPECT_TRUE(step.isBulleted);
             EXPECT_EQ(step.bulletIconNames, (QList<QString>{u"leaf"_s, u"drop"_s}));
             EXPECT_TRUE(step.allowsSelection);
             EXPECT_EQ(step.bulletType, 3);
             EXPECT_TRUE(step.pinNavigationContainer);
         })},
        {"WaitStep",
         R"({"_class":"ORKWaitStep","identifier":"wait","title":"Please wait",
             "text":"Almost there","indicatorType":1})",
         as<ORKWaitStep>([](const ORKWaitStep& step) {
             EXPECT_EQ(step.identifier, u"wait"_s);
             EXPECT_EQ(step.text, u"Almost there"_s);
             EXPECT_EQ(step.indicatorType, 1);
         })},
        {"BodyItem",
         R"({"_class":"ORKBodyItem","text":"Drink water","detailText":"Two litres a day",
             "bodyItemStyle":2,"image":{"imageName":"glass"},
             "learnMoreItem":LEARN_MORE,"useCardStyle":true,"useSecondaryColor":true})",
         as<ORKBodyItem>([](const ORKBodyItem& item) {
             EXPECT_EQ(item.text, u"Drink water"_s);
             EXPECT_EQ(item.detailText, u"Two litres a day"_s);
             EXPECT_EQ(item.bodyItemStyle, 2);
             EXPECT_EQ(imageName(item.image), u"glass"_s);
             expectLearnMoreItem(item.learnMoreItem.get());
             EXPECT_TRUE(item.useCardStyle);
             EXPECT_TRUE(item.useSecondaryColor);
         })},
        {"LearnMoreItem", R"(LEARN_MORE)",
         as<ORKLearnMoreItem>([](const ORKLearnMoreItem& item) { expectLearnMoreItem(&item); })},
        {"RecorderConfiguration", R"({"_class":"ORKRecorderConfiguration","identifier":"any"})",
         as<ORKRecorderConfiguration>([](const ORKRecorderConfiguration& configuration) {
             EXPECT_EQ(configuration.identifier, u"any"_s);
         })},
        {"AudioRecorderConfiguration",
         R"({"_class":"ORKAudioRecorderConfiguration","identifier":"voice",
             "recorderSettings":{"AVSampleRateKey":44100,"AVFormatIDKey":"aac",
                                 "nested":{"channels":[1,2]}}})",
         as<ORKAudioRecorderConfiguration>([](const ORKAudioRecorderConfiguration& configuration) {
             EXPECT_EQ(configuration.identifier, u"voice"_s);
             EXPECT_EQ(configuration.recorderSettings,
                       jsonObject(R"({"AVSampleRateKey":44100,"AVFormatIDKey":"aac",
                                      "nested":{"channels":[1,2]}})"));
         })},
        {"DeviceMotionRecorderConfiguration",
         R"({"_class":"ORKDeviceMotionRecorderConfiguration","identifier":"motion",
             "frequency":50.5})",
         as<ORKDeviceMotionRecorderConfiguration>(
             [](const ORKDeviceMotionRecorderConfiguration& configuration) {
                 EXPECT_EQ(configuration.identifier, u"motion"_s);
                 EXPECT_DOUBLE_EQ(configuration.frequency, 50.5);
             })},
        {"LocationRecorderConfiguration",
         R"({"_class":"ORKLocationRecorderConfiguration","identifier":"where"})",
         as<ORKLocationRecorderConfiguration>(
             [](const ORKLocationRecorderConfiguration& configuration) {
                 EXPECT_EQ(configuration.identifier, u"where"_s);
             })},
        {"PedometerRecorderConfiguration",
         R"({"_class":"ORKPedometerRecorderConfiguration","identifier":"steps"})",
         as<ORKPedometerRecorderConfiguration>(
             [](const ORKPedometerRecorderConfiguration& configuration) {
                 EXPECT_EQ(configuration.identifier, u"steps"_s);
             })},
        {"TouchRecorderConfiguration",
         R"({"_class":"ORKTouchRecorderConfiguration","identifier":"taps"})",
         as<ORKTouchRecorderConfiguration>([](const ORKTouchRecorderConfiguration& configuration) {
             EXPECT_EQ(configuration.identifier, u"taps"_s);
         })},
    };
    return cases;
}

QByteArray documentOf(const RowCase& rowCase) {
    return QByteArray(rowCase.document).replace("LEARN_MORE", kLearnMoreItem);
}

class TellingStepRow : public testing::TestWithParam<RowCase> {};

TEST_P(TellingStepRow, DecodesEveryKeyIntoItsField) {
    const Value::Object decoded = decode(jsonObject(documentOf(GetParam())), imageContext());
    ASSERT_TRUE(decoded);
    GetParam().check(decoded);
}

TEST_P(TellingStepRow, DecodeEncodeDecodeGivesAnEqualObject) {
    const ORKESerializationContext context = imageContext();
    const QJsonObject document = jsonObject(documentOf(GetParam()));
    const Value::Object first = decode(document, context);
    ASSERT_TRUE(first);
    const QJsonObject encoded = encode(first, context);
    expectContains(document, encoded, u"$"_s);

    const Value::Object second = decode(encoded, context);
    ASSERT_TRUE(second);
    GetParam().check(second);
    EXPECT_EQ(encode(second, context), encoded);
}

INSTANTIATE_TEST_SUITE_P(AllKeys, TellingStepRow, testing::ValuesIn(tellingRowCases()),
                         [](const testing::TestParamInfo<RowCase>& info) {
                             return std::string(info.param.name);
                         });

// The rows that step documents do not use still build their class and take the keys of their
// base rows.
const std::vector<RowCase>& otherRowCases() {
    const auto step = [](const ORKStep& step) { EXPECT_EQ(step.identifier, u"other"_s); };
    const auto activeStep = [step](const ORKActiveStep& active) {
        step(active);
        EXPECT_DOUBLE_EQ(active.stepDuration, 5);
    };
    const auto formStep = [step](const ORKFormStep& form) {
        step(form);
        ASSERT_EQ(form.formItems.size(), 1);
    };
    static const std::vector<RowCase> cases = {
        {"ReviewStep", R"({"_class":"ORKReviewStep","identifier":"other"})",
         as<ORKReviewStep>(step)},
        {"VisualConsentStep", R"({"_class":"ORKVisualConsentStep","identifier":"other"})",
         as<ORKVisualConsentStep>(step)},
        {"PDFViewerStep", R"({"_class":"ORKPDFViewerStep","identifier":"other","stepDuration":5})",
         as<ORKPDFViewerStep>(activeStep)},
        {"PasscodeStep", R"({"_class":"ORKPasscodeStep","identifier":"other"})",
         as<ORKPasscodeStep>(step)},
        {"SecondaryTaskStep", R"({"_class":"ORKSecondaryTaskStep","identifier":"other"})",
         as<ORKSecondaryTaskStep>(step)},
        {"CountdownStep", R"({"_class":"ORKCountdownStep","identifier":"other","stepDuration":5})",
         as<ORKCountdownStep>(activeStep)},
        {"TouchAnywhereStep",
         R"({"_class":"ORKTouchAnywhereStep","identifier":"other","stepDuration":5})",
         as<ORKTouchAnywhereStep>(activeStep)},
        {"WebViewStep", R"({"_class":"ORKWebViewStep","identifier":"other"})",
         as<ORKWebViewStep>(step)},
        {"ConsentDocument", R"({"_class":"ORKConsentDocument"})",
         as<ORKConsentDocument>([](const ORKConsentDocument&) {})},
        {"ConsentSharingStep",
         R"({"_class":"ORKConsentSharingStep","identifier":"other","question":"Share?"})",
         as<ORKConsentSharingStep>([step](const ORKConsentSharingStep& sharing) {
             step(sharing);
             EXPECT_EQ(sharing.question, u"Share?"_s);
         })},
        {"ConsentReviewStep", R"({"_class":"ORKConsentReviewStep","identifier":"other"})",
         as<ORKConsentReviewStep>(step)},
        {"ConsentSection", R"({"_class":"ORKConsentSection"})",
         as<ORKConsentSection>([](const ORKConsentSection&) {})},
        {"ConsentSignature", R"({"_class":"ORKConsentSignature"})",
         as<ORKConsentSignature>([](const ORKConsentSignature&) {})},
        {"RegistrationStep",
         R"({"_class":"ORKRegistrationStep","identifier":"other",
             "formItems":[{"_class":"ORKFormItem","identifier":"email"}]})",
         as<ORKRegistrationStep>(formStep)},
        {"RequestPermissionsStep",
         R"({"_class":"ORKRequestPermissionsStep","identifier":"other","stepDuration":5,
             "permissionTypes":[]})",
         as<ORKRequestPermissionsStep>([activeStep](const ORKRequestPermissionsStep& request) {
             activeStep(request);
             EXPECT_TRUE(request.permissionTypes.isEmpty());
         })},
        {"VerificationStep", R"({"_class":"ORKVerificationStep","identifier":"other"})",
         as<ORKVerificationStep>(step)},
        {"LoginStep",
         R"({"_class":"ORKLoginStep","identifier":"other",
             "formItems":[{"_class":"ORKFormItem","identifier":"password"}]})",
         as<ORKLoginStep>(formStep)},
        {"PageStep", R"({"_class":"ORKPageStep","identifier":"other"})", as<ORKPageStep>(step)},
        {"NavigablePageStep", R"({"_class":"ORKNavigablePageStep","identifier":"other"})",
         as<ORKNavigablePageStep>(step)},
        {"FrontFacingCameraStep",
         R"({"_class":"ORKFrontFacingCameraStep","identifier":"other","stepDuration":5})",
         as<ORKFrontFacingCameraStep>(activeStep)},
    };
    return cases;
}

class OtherStepRow : public testing::TestWithParam<RowCase> {};

TEST_P(OtherStepRow, BuildsItsClassAndKeepsItsKeysThroughEncoding) {
    const QJsonObject document = jsonObject(GetParam().document);
    const Value::Object decoded = decode(document);
    ASSERT_TRUE(decoded);
    GetParam().check(decoded);
    const QJsonObject encoded = encode(decoded, {});
    expectContains(document, encoded, u"$"_s);
    const Value::Object again = decode(encoded);
    ASSERT_TRUE(again);
    GetParam().check(again);
}

INSTANTIATE_TEST_SUITE_P(Rows, OtherStepRow, testing::ValuesIn(otherRowCases()),
                         [](const testing::TestParamInfo<RowCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(StepImages, ImageReferencesDecodeToNoImageWithoutAnImageProvider) {
    const auto step = decodeAs<ORKStep>(
        R"({"_class":"ORKStep","identifier":"s","image":{"imageName":"main"},
            "iconImage":{"imageName":"icon"}})");
    ASSERT_TRUE(step);
    EXPECT_FALSE(step->image);
    EXPECT_FALSE(step->iconImage);

    const auto capture = decodeAs<ORKImageCaptureStep>(
        R"({"_class":"ORKImageCaptureStep","identifier":"c",
            "templateImage":{"imageName":"outline"}})");
    ASSERT_TRUE(capture);
    EXPECT_FALSE(capture->templateImage);

    const auto item =
        decodeAs<ORKBodyItem>(R"({"_class":"ORKBodyItem","image":{"imageName":"glass"}})");
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->image);
}

TEST(StepImages, EncodingWithoutAnImageProviderLeavesImagesOut) {
    auto step = std::make_shared<ORKStep>(u"s"_s);
    step->image = QImage(1, 1, QImage::Format_ARGB32);
    const QJsonObject encoded = encode(step, {});
    EXPECT_FALSE(encoded.contains(u"image"));
    EXPECT_EQ(encoded.value(u"identifier"), QJsonValue(u"s"_s));
}

struct BodyItemCase {
    const char* name;
    const char* document;
    bool useCardStyle;
    qint64 bodyItemStyle;
};

void PrintTo(const BodyItemCase& bodyItemCase, std::ostream* os) { *os << bodyItemCase.name; }

class BodyItemConstruction : public testing::TestWithParam<BodyItemCase> {};

TEST_P(BodyItemConstruction, FollowsTheConstructorRules) {
    const auto item = decodeAs<ORKBodyItem>(GetParam().document);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->useCardStyle, GetParam().useCardStyle);
    EXPECT_EQ(item->bodyItemStyle, GetParam().bodyItemStyle);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BodyItemConstruction,
    testing::Values(
        BodyItemCase{"NoKeys", R"({"_class":"ORKBodyItem"})", false, 0},
        // The constructor is told "card style" because the key is present; the decoded value is
        // set afterwards and wins.
        BodyItemCase{"CardStyleTrue", R"({"_class":"ORKBodyItem","useCardStyle":true})", true, 0},
        BodyItemCase{"CardStyleFalse", R"({"_class":"ORKBodyItem","useCardStyle":false})", false,
                     0},
        BodyItemCase{"CardStyleZero", R"({"_class":"ORKBodyItem","useCardStyle":0})", false, 0},
        BodyItemCase{"StyleAsInteger", R"({"_class":"ORKBodyItem","bodyItemStyle":3})", false, 3},
        BodyItemCase{"StyleFromBoolean", R"({"_class":"ORKBodyItem","bodyItemStyle":true})", false,
                     1}),
    [](const testing::TestParamInfo<BodyItemCase>& info) { return std::string(info.param.name); });

TEST(BodyItemDecoding, TheLearnMoreItemIsDecodedAndTheImageComesOnlyFromItsReference) {
    const auto item = decodeAs<ORKBodyItem>(QByteArray(R"({"_class":"ORKBodyItem","text":"T",
        "learnMoreItem":LEARN_MORE})")
                                                .replace("LEARN_MORE", kLearnMoreItem));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text, u"T"_s);
    EXPECT_FALSE(item->image);
    expectLearnMoreItem(item->learnMoreItem.get());
}

// Texts read by constructors go through the property getter, so they are translated once, like any
// other text; identifiers never are.
TEST(StepTranslation, TextsReadByConstructorsAreTranslated) {
    ORKESerializationContext context;
    context.localizer =
        std::make_shared<ORKESerializationDictionaryLocalizer>(QHash<QString, QString>{
            {u"Name"_s, u"Nom"_s},
            {u"Why"_s, u"Pourquoi"_s},
            {u"Hello"_s, u"Bonjour"_s},
            {u"World"_s, u"Monde"_s},
            {u"profile"_s, u"profil"_s},
            // A text translated twice would come out as this.
            {u"Nom"_s, u"twice"_s},
            {u"Pourquoi"_s, u"twice"_s},
            {u"Bonjour"_s, u"twice"_s},
            {u"Monde"_s, u"twice"_s},
        });
    const auto step = decodeAs<ORKFormStep>(
        R"({"_class":"ORKFormStep","identifier":"profile","title":"Name",
            "formItems":[{"_class":"ORKFormItem","identifier":"Name","text":"Name",
                          "learnMoreItem":{"_class":"ORKLearnMoreItem","text":"Why"}}],
            "bodyItems":[{"_class":"ORKBodyItem","text":"Hello","detailText":"World"}]})",
        context);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->identifier, u"profile"_s);
    EXPECT_EQ(step->title, u"Nom"_s);
    ASSERT_EQ(step->formItems.size(), 1);
    EXPECT_EQ(step->formItems[0]->identifier, u"Name"_s);
    EXPECT_EQ(step->formItems[0]->text, u"Nom"_s);
    ASSERT_TRUE(step->formItems[0]->learnMoreItem);
    EXPECT_EQ(step->formItems[0]->learnMoreItem->text, u"Pourquoi"_s);
    ASSERT_EQ(step->bodyItems.size(), 1);
    EXPECT_EQ(step->bodyItems[0]->text, u"Bonjour"_s);
    EXPECT_EQ(step->bodyItems[0]->detailText, u"Monde"_s);
}

struct FailureCase {
    const char* name;
    const char* document;
    const char* failureReason;
};

void PrintTo(const FailureCase& failureCase, std::ostream* os) { *os << failureCase.name; }

class StepRowFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(StepRowFailure, FailsTheWholeDecodeWithTheNestedMessage) {
    const auto decoded = ORKESerializer::objectFromJSONObject(jsonObject(GetParam().document));
    ASSERT_FALSE(decoded);
    EXPECT_EQ(decoded.error().failureReason(), QString::fromUtf8(GetParam().failureReason));
}

INSTANTIATE_TEST_SUITE_P(
    WrongValues, StepRowFailure,
    testing::Values(
        FailureCase{"AnswerFormatOfAnotherClass",
                    R"({"_class":"ORKQuestionStep","identifier":"q",
                        "answerFormat":{"_class":"ORKFormItem","identifier":"x"}})",
                    "Could not convert 'answerFormat':\n"
                    "Expected subclass of ORKAnswerFormat but got ORKFormItem"},
        // A failure inside a constructor's read is not lost.
        FailureCase{"FormItemConstructorReadFails",
                    R"({"_class":"ORKFormItem","identifier":"i",
                        "answerFormat":{"_class":"ORKStep","identifier":"x"}})",
                    "Could not convert 'answerFormat':\n"
                    "Expected subclass of ORKAnswerFormat but got ORKStep"},
        FailureCase{"FormItemsElementOfAnotherClass",
                    R"({"_class":"ORKFormStep","identifier":"f",
                        "formItems":[{"_class":"ORKStep","identifier":"x"}]})",
                    "Could not convert 'formItems' to array of class ORKFormItem:\n"
                    "Expected subclass of ORKFormItem but got ORKStep"},
        FailureCase{"BodyItemsElementNotAnObject",
                    R"({"_class":"ORKStep","identifier":"s","bodyItems":["text"]})",
                    "Could not convert 'bodyItems' to array of class ORKBodyItem:\n"
                    "Unexpected input of class NSString for ORKBodyItem"},
        FailureCase{"RecorderConfigurationOfAnotherClass",
                    R"({"_class":"ORKActiveStep","identifier":"a",
                        "recorderConfigurations":[{"_class":"ORKBodyItem"}]})",
                    "Could not convert 'recorderConfigurations' to array of class "
                    "ORKRecorderConfiguration:\n"
                    "Expected subclass of ORKRecorderConfiguration but got ORKBodyItem"},
        // The base instruction step is not the step a learn-more item opens.
        FailureCase{"LearnMoreStepOfTheBaseClass",
                    R"({"_class":"ORKLearnMoreItem",
                        "learnMoreInstructionStep":{"_class":"ORKInstructionStep",
                                                    "identifier":"x"}})",
                    "Could not convert 'learnMoreInstructionStep':\n"
                    "Expected subclass of ORKLearnMoreInstructionStep but got ORKInstructionStep"},
        FailureCase{"BodyItemLearnMoreOfAnotherClass",
                    R"({"_class":"ORKBodyItem","learnMoreItem":{"_class":"ORKBodyItem"}})",
                    "Could not convert 'learnMoreItem':\n"
                    "Expected subclass of ORKLearnMoreItem but got ORKBodyItem"},
        FailureCase{"StringUnderANumberKey",
                    R"({"_class":"ORKWaitStep","identifier":"w","indicatorType":"bar"})",
                    "Could not convert 'indicatorType':\n"
                    "Unexpected input of class NSString for NSNumber"},
        FailureCase{"NumberUnderAStringKey",
                    R"({"_class":"ORKQuestionStep","identifier":"q","question":7})",
                    "Could not convert 'question':\n"
                    "Unexpected input of class NSNumber for NSString"},
        // Permission types have no JSON form.
        FailureCase{"PermissionTypes",
                    R"({"_class":"ORKRequestPermissionsStep","identifier":"p",
                        "permissionTypes":["health"]})",
                    "Could not convert 'permissionTypes' to array of class ORKPermissionType:\n"
                    "Unexpected input of class NSString for ORKPermissionType"},
        FailureCase{"RecorderSettingsNotAnObject",
                    R"({"_class":"ORKAudioRecorderConfiguration","identifier":"a",
                        "recorderSettings":[1]})",
                    "Could not convert 'recorderSettings':\n"
                    "Unexpected input of class NSArray for NSDictionary"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(TableStep, ObjectForRowGivesTheItemOfThatRowAndNothingOutsideTheTable) {
    const auto step = decodeAs<ORKTableStep>(
        R"({"_class":"ORKTableStep","identifier":"t","items":["first",{"k":"v"}]})");
    ASSERT_TRUE(step);
    EXPECT_TRUE(step->objectForRow(0) == Value(u"first"_s));
    EXPECT_TRUE(step->objectForRow(1) == Value(Value::Dictionary{{u"k"_s, u"v"_s}}));
    EXPECT_TRUE(step->objectForRow(2).isNone());
    EXPECT_TRUE(step->objectForRow(-1).isNone());
    EXPECT_TRUE(ORKTableStep(u"empty"_s).objectForRow(0).isNone());
}

}  // namespace
}  // namespace pathloom
