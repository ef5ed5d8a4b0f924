#include "serialization/rows/Rows.h"

#include "serialization/EncodingTable.h"
#include "serialization/ValueForms.h"
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
#include "taskmodel/ORKInstructionStep.h"
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

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// The constructor of every class that is made from its identifier alone: the steps and most
// recorder configurations.
template <typename T>
std::shared_ptr<T> withIdentifier(const PropertyReader& get) {
    return std::make_shared<T>(get.get<QString>(u"identifier"_s));
}

std::shared_ptr<ORKBodyItem> makeBodyItem(const PropertyReader& get) {
    // The image is never passed to the constructor: it is set afterwards, like "learnMoreItem"
    // and "useCardStyle", whose decoded values then replace what the constructor was given.
    return std::make_shared<ORKBodyItem>(
        get.get<std::optional<QString>>(u"text"_s),
        get.get<std::optional<QString>>(u"detailText"_s), std::nullopt,
        get.get<std::shared_ptr<ORKLearnMoreItem>>(u"learnMoreItem"_s),
        get.integer(u"bodyItemStyle"_s), get.has(u"useCardStyle"_s));
}

std::shared_ptr<ORKLearnMoreItem> makeLearnMoreItem(const PropertyReader& get) {
    return std::make_shared<ORKLearnMoreItem>(
        get.get<std::optional<QString>>(u"text"_s),
        get.get<std::shared_ptr<ORKLearnMoreInstructionStep>>(u"learnMoreInstructionStep"_s));
}

void addStepRow(EncodingTable& table) {
    table.row<ORKStep, ORKObject>(u"ORKStep"_s)
        .init(withIdentifier<ORKStep>)
        .initProperty(u"identifier"_s, &ORKStep::identifier, form::string())
        .property(u"optional"_s, &ORKStep::optional, form::number())
        .property(u"title"_s, &ORKStep::title, form::string())
        .property(u"text"_s, &ORKStep::text, form::string())
        .property(u"detailText"_s, &ORKStep::detailText, form::string())
        .property(u"headerTextAlignment"_s, &ORKStep::headerTextAlignment, form::number())
        .property(u"footnote"_s, &ORKStep::footnote, form::string())
        .property(u"shouldTintImages"_s, &ORKStep::shouldTintImages, form::number())
        .property(u"useSurveyMode"_s, &ORKStep::useSurveyMode, form::number())
        .property(u"bodyItems"_s, &ORKStep::bodyItems,
                  form::arrayOf(form::object(u"ORKBodyItem"_s)))
        .property(u"imageContentMode"_s, &ORKStep::imageContentMode, form::number())
        .property(u"iconImage"_s, &ORKStep::iconImage, form::imageReference())
        .property(u"auxiliaryImage"_s, &ORKStep::auxiliaryImage, form::imageReference())
        .property(u"image"_s, &ORKStep::image, form::imageReference())
        .property(u"bodyItemTextAlignment"_s, &ORKStep::bodyItemTextAlignment, form::number())
        .property(u"buildInBodyItems"_s, &ORKStep::buildInBodyItems, form::number())
        .property(u"useExtendedPadding"_s, &ORKStep::useExtendedPadding, form::number());
}

void addBodyRows(EncodingTable& table) {
    table.row<ORKBodyItem, ORKObject>(u"ORKBodyItem"_s)
        .init(makeBodyItem)
        .initProperty(u"text"_s, &ORKBodyItem::text, form::string())
        .initProperty(u"detailText"_s, &ORKBodyItem::detailText, form::string())
        .initProperty(u"bodyItemStyle"_s, &ORKBodyItem::bodyItemStyle, form::number())
        .property(u"image"_s, &ORKBodyItem::image, form::imageReference())
        .property(u"learnMoreItem"_s, &ORKBodyItem::learnMoreItem,
                  form::object(u"ORKLearnMoreItem"_s))
        .property(u"useCardStyle"_s, &ORKBodyItem::useCardStyle, form::number())
        .property(u"useSecondaryColor"_s, &ORKBodyItem::useSecondaryColor, form::number());

    table.row<ORKLearnMoreItem, ORKObject>(u"ORKLearnMoreItem"_s)
        .init(makeLearnMoreItem)
        .property(u"text"_s, &ORKLearnMoreItem::text, form::string())
        .property(u"learnMoreInstructionStep"_s, &ORKLearnMoreItem::learnMoreInstructionStep,
                  form::object(u"ORKLearnMoreInstructionStep"_s));
}

void addInstructionRows(EncodingTable& table) {
    table.row<ORKInstructionStep, ORKStep>(u"ORKInstructionStep"_s)
        .init(withIdentifier<ORKInstructionStep>)
        .property(u"detailText"_s, &ORKInstructionStep::detailText, form::string())
        .property(u"footnote"_s, &ORKInstructionStep::footnote, form::string())
        .property(u"centerImageVertically"_s, &ORKInstructionStep::centerImageVertically,
                  form::number());

    table.row<ORKVideoInstructionStep, ORKInstructionStep>(u"ORKVideoInstructionStep"_s)
        .init(withIdentifier<ORKVideoInstructionStep>)
        .property(u"videoURL"_s, &ORKVideoInstructionStep::videoURL, form::url())
        .property(u"thumbnailTime"_s, &ORKVideoInstructionStep::thumbnailTime, form::number());

    table.row<ORKCompletionStep, ORKInstructionStep>(u"ORKCompletionStep"_s)
        .init(withIdentifier<ORKCompletionStep>);

    table.row<ORKLearnMoreInstructionStep, ORKInstructionStep>(u"ORKLearnMoreInstructionStep"_s)
        .init(withIdentifier<ORKLearnMoreInstructionStep>);
}

void addQuestionRows(EncodingTable& table) {
    table.row<ORKQuestionStep, ORKStep>(u"ORKQuestionStep"_s)
        .init(withIdentifier<ORKQuestionStep>)
        .property(u"answerFormat"_s, &ORKQuestionStep::answerFormat,
                  form::object(u"ORKAnswerFormat"_s))
        .property(u"placeholder"_s, &ORKQuestionStep::placeholder, form::string())
        .property(u"question"_s, &ORKQuestionStep::question, form::string())
        .property(u"useCardView"_s, &ORKQuestionStep::useCardView, form::number())
        .property(u"learnMoreItem"_s, &ORKQuestionStep::learnMoreItem,
                  form::object(u"ORKLearnMoreItem"_s))
        .property(u"tagText"_s, &ORKQuestionStep::tagText, form::string());

    table.row<ORKFormStep, ORKStep>(u"ORKFormStep"_s)
        .init(withIdentifier<ORKFormStep>)
        .property(u"formItems"_s, &ORKFormStep::formItems,
                  form::arrayOf(form::object(u"ORKFormItem"_s)))
        .property(u"footnote"_s, &ORKFormStep::footnote, form::string())
        .property(u"useCardView"_s, &ORKFormStep::useCardView, form::number())
        .property(u"footerText"_s, &ORKFormStep::footerText, form::string())
        .property(u"cardViewStyle"_s, &ORKFormStep::cardViewStyle, form::number());

    table.row<ORKFormItem, ORKObject>(u"ORKFormItem"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKFormItem>(
                get.get<QString>(u"identifier"_s), get.get<std::optional<QString>>(u"text"_s),
                get.get<std::shared_ptr<ORKAnswerFormat>>(u"answerFormat"_s));
        })
        .initProperty(u"identifier"_s, &ORKFormItem::identifier, form::string())
        .property(u"optional"_s, &ORKFormItem::optional, form::number())
        .property(u"showsProgress"_s, &ORKFormItem::showsProgress, form::number())
        .initProperty(u"text"_s, &ORKFormItem::text, form::string())
        .property(u"detailText"_s, &ORKFormItem::detailText, form::string())
        .property(u"placeholder"_s, &ORKFormItem::placeholder, form::string())
        .initProperty(u"answerFormat"_s, &ORKFormItem::answerFormat,
                      form::object(u"ORKAnswerFormat"_s))
        .property(u"learnMoreItem"_s, &ORKFormItem::learnMoreItem,
                  form::object(u"ORKLearnMoreItem"_s))
        .property(u"tagText"_s, &ORKFormItem::tagText, form::string());
}

void addActiveRows(EncodingTable& table) {
    table.row<ORKActiveStep, ORKStep>(u"ORKActiveStep"_s)
        .init(withIdentifier<ORKActiveStep>)
        .property(u"stepDuration"_s, &ORKActiveStep::stepDuration, form::number())
        .property(u"shouldShowDefaultTimer"_s, &ORKActiveStep::shouldShowDefaultTimer,
                  form::number())
        .property(u"shouldSpeakCountDown"_s, &ORKActiveStep::shouldSpeakCountDown, form::number())
        .property(u"shouldSpeakRemainingTimeAtHalfway"_s,
                  &ORKActiveStep::shouldSpeakRemainingTimeAtHalfway, form::number())
        .property(u"shouldStartTimerAutomatically"_s, &ORKActiveStep::shouldStartTimerAutomatically,
                  form::number())
        .property(u"shouldPlaySoundOnStart"_s, &ORKActiveStep::shouldPlaySoundOnStart,
                  form::number())
        .property(u"shouldPlaySoundOnFinish"_s, &ORKActiveStep::shouldPlaySoundOnFinish,
                  form::number())
        .property(u"shouldVibrateOnStart"_s, &ORKActiveStep::shouldVibrateOnStart, form::number())
        .property(u"shouldVibrateOnFinish"_s, &ORKActiveStep::shouldVibrateOnFinish, form::number())
        .property(u"shouldUseNextAsSkipButton"_s, &ORKActiveStep::shouldUseNextAsSkipButton,
                  form::number())
        .property(u"shouldContinueOnFinish"_s, &ORKActiveStep::shouldContinueOnFinish,
                  form::number())
        .property(u"spokenInstruction"_s, &ORKActiveStep::spokenInstruction, form::string())
        .property(u"finishedSpokenInstruction"_s, &ORKActiveStep::finishedSpokenInstruction,
                  form::string())
        .property(u"recorderConfigurations"_s, &ORKActiveStep::recorderConfigurations,
                  form::arrayOf(form::object(u"ORKRecorderConfiguration"_s)));

    table.row<ORKSignatureStep, ORKActiveStep>(u"ORKSignatureStep"_s)
        .init(withIdentifier<ORKSignatureStep>);
}

void addCaptureRows(EncodingTable& table) {
    table.row<ORKImageCaptureStep, ORKStep>(u"ORKImageCaptureStep"_s)
        .init(withIdentifier<ORKImageCaptureStep>)
        .property(u"templateImageInsets"_s, &ORKImageCaptureStep::templateImageInsets,
                  form::insets())
        .property(u"accessibilityHint"_s, &ORKImageCaptureStep::accessibilityHint, form::string())
        .property(u"accessibilityInstructions"_s, &ORKImageCaptureStep::accessibilityInstructions,
                  form::string())
        .property(u"captureRaw"_s, &ORKImageCaptureStep::captureRaw, form::number())
        .property(u"templateImage"_s, &ORKImageCaptureStep::templateImage, form::imageReference())
        .property(u"devicePosition"_s, &ORKImageCaptureStep::devicePosition, form::number());

    table.row<ORKVideoCaptureStep, ORKStep>(u"ORKVideoCaptureStep"_s)
        .init(withIdentifier<ORKVideoCaptureStep>)
        .property(u"templateImageInsets"_s, &ORKVideoCaptureStep::templateImageInsets,
                  form::insets())
        .property(u"duration"_s, &ORKVideoCaptureStep::duration, form::number())
        .property(u"audioMute"_s, &ORKVideoCaptureStep::audioMute, form::number())
        .property(u"torchMode"_s, &ORKVideoCaptureStep::torchMode, form::number())
        .property(u"devicePosition"_s, &ORKVideoCaptureStep::devicePosition, form::number())
        .property(u"accessibilityHint"_s, &ORKVideoCaptureStep::accessibilityHint, form::string())
        .property(u"accessibilityInstructions"_s, &ORKVideoCaptureStep::accessibilityInstructions,
                  form::string())
        .property(u"templateImage"_s, &ORKVideoCaptureStep::templateImage, form::imageReference());
}

void addTableAndWaitRows(EncodingTable& table) {
    table.row<ORKTableStep, ORKStep>(u"ORKTableStep"_s)
        .init(withIdentifier<ORKTableStep>)
        .property(u"items"_s, &ORKTableStep::items, form::arrayOf(form::anyValue()))
        .property(u"isBulleted"_s, &ORKTableStep::isBulleted, form::number())
        .property(u"bulletIconNames"_s, &ORKTableStep::bulletIconNames,
                  form::arrayOf(form::string()))
        .property(u"allowsSelection"_s, &ORKTableStep::allowsSelection, form::number())
        .property(u"bulletType"_s, &ORKTableStep::bulletType, form::number())
        .property(u"pinNavigationContainer"_s, &ORKTableStep::pinNavigationContainer,
                  form::number());

    table.row<ORKWaitStep, ORKStep>(u"ORKWaitStep"_s)
        .init(withIdentifier<ORKWaitStep>)
        .property(u"indicatorType"_s, &ORKWaitStep::indicatorType, form::number());
}

void addRecorderRows(EncodingTable& table) {
    table.row<ORKRecorderConfiguration, ORKObject>(u"ORKRecorderConfiguration"_s)
        .init(withIdentifier<ORKRecorderConfiguration>)
        .initProperty(u"identifier"_s, &ORKRecorderConfiguration::identifier, form::string());

    table
        .row<ORKAudioRecorderConfiguration, ORKRecorderConfiguration>(
            u"ORKAudioRecorderConfiguration"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKAudioRecorderConfiguration>(
                get.get<QString>(u"identifier"_s), get.get<QJsonObject>(u"recorderSettings"_s));
        })
        .initProperty(u"recorderSettings"_s, &ORKAudioRecorderConfiguration::recorderSettings,
                      form::jsonObject());

    table
        .row<ORKDeviceMotionRecorderConfiguration, ORKRecorderConfiguration>(
            u"ORKDeviceMotionRecorderConfiguration"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKDeviceMotionRecorderConfiguration>(
                get.get<QString>(u"identifier"_s), get.number(u"frequency"_s));
        })
        .initProperty(u"frequency"_s, &ORKDeviceMotionRecorderConfiguration::frequency,
                      form::number());

    table
        .row<ORKLocationRecorderConfiguration, ORKRecorderConfiguration>(
            u"ORKLocationRecorderConfiguration"_s)
        .init(withIdentifier<ORKLocationRecorderConfiguration>);
    table
        .row<ORKPedometerRecorderConfiguration, ORKRecorderConfiguration>(
            u"ORKPedometerRecorderConfiguration"_s)
        .init(withIdentifier<ORKPedometerRecorderConfiguration>);
    table
        .row<ORKTouchRecorderConfiguration, ORKRecorderConfiguration>(
            u"ORKTouchRecorderConfiguration"_s)
        .init(withIdentifier<ORKTouchRecorderConfiguration>);
}

// Rows that the app's step documents never use: each declares its class, base class and
// constructor, and takes its keys from its base rows.
void addOtherStepRows(EncodingTable& table) {
    table.row<ORKReviewStep, ORKStep>(u"ORKReviewStep"_s).init(withIdentifier<ORKReviewStep>);
    table.row<ORKVisualConsentStep, ORKStep>(u"ORKVisualConsentStep"_s)
        .init(withIdentifier<ORKVisualConsentStep>);
    table.row<ORKPDFViewerStep, ORKActiveStep>(u"ORKPDFViewerStep"_s)
        .init(withIdentifier<ORKPDFViewerStep>);
    table.row<ORKPasscodeStep, ORKStep>(u"ORKPasscodeStep"_s).init(withIdentifier<ORKPasscodeStep>);
    table.row<ORKSecondaryTaskStep, ORKStep>(u"ORKSecondaryTaskStep"_s)
        .init(withIdentifier<ORKSecondaryTaskStep>);
    table.row<ORKCountdownStep, ORKActiveStep>(u"ORKCountdownStep"_s)
        .init(withIdentifier<ORKCountdownStep>);
    table.row<ORKTouchAnywhereStep, ORKActiveStep>(u"ORKTouchAnywhereStep"_s)
        .init(withIdentifier<ORKTouchAnywhereStep>);
    table.row<ORKWebViewStep, ORKStep>(u"ORKWebViewStep"_s).init(withIdentifier<ORKWebViewStep>);
    table.row<ORKConsentDocument, ORKObject>(u"ORKConsentDocument"_s);
    table.row<ORKConsentSharingStep, ORKQuestionStep>(u"ORKConsentSharingStep"_s)
        .init(withIdentifier<ORKConsentSharingStep>);
    table.row<ORKConsentReviewStep, ORKStep>(u"ORKConsentReviewStep"_s)
        .init(withIdentifier<ORKConsentReviewStep>);
    table.row<ORKConsentSection, ORKObject>(u"ORKConsentSection"_s);
    table.row<ORKConsentSignature, ORKObject>(u"ORKConsentSignature"_s);
    table.row<ORKRegistrationStep, ORKFormStep>(u"ORKRegistrationStep"_s)
        .init(withIdentifier<ORKRegistrationStep>);
    // Permission types have no JSON form, so only an empty "permissionTypes" array decodes.
    table.declareClass<ORKPermissionType, ORKObject>(u"ORKPermissionType"_s);
    table.row<ORKRequestPermissionsStep, ORKActiveStep>(u"ORKRequestPermissionsStep"_s)
        .init([](const PropertyReader& get) {
            return std::make_shared<ORKRequestPermissionsStep>(
                get.get<QString>(u"identifier"_s),
                get.get<QList<std::shared_ptr<ORKPermissionType>>>(u"permissionTypes"_s));
        })
        .initProperty(u"permissionTypes"_s, &ORKRequestPermissionsStep::permissionTypes,
                      form::arrayOf(form::permissionType()));
    table.row<ORKVerificationStep, ORKStep>(u"ORKVerificationStep"_s)
        .init(withIdentifier<ORKVerificationStep>);
    table.row<ORKLoginStep, ORKFormStep>(u"ORKLoginStep"_s).init(withIdentifier<ORKLoginStep>);
    table.row<ORKPageStep, ORKStep>(u"ORKPageStep"_s).init(withIdentifier<ORKPageStep>);
    table.row<ORKNavigablePageStep, ORKPageStep>(u"ORKNavigablePageStep"_s)
        .init(withIdentifier<ORKNavigablePageStep>);
    table.row<ORKFrontFacingCameraStep, ORKActiveStep>(u"ORKFrontFacingCameraStep"_s)
        .init(withIdentifier<ORKFrontFacingCameraStep>);
}

}  // namespace

void addStepRows(EncodingTable& table) {
    addStepRow(table);
    addBodyRows(table);
    addInstructionRows(table);
    addQuestionRows(table);
    addActiveRows(table);
    addCaptureRows(table);
    addTableAndWaitRows(table);
    addRecorderRows(table);
    addOtherStepRows(table);
}

}  // namespace pathloom
