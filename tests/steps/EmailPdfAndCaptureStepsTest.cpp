#include "steps/ImageCaptureStepBuilder.h"
#include "steps/PathloomDocumentCaptureStep.h"
#include "steps/PathloomEmailStep.h"
#include "steps/PathloomPDFStep.h"
#include "steps/StepCreationError.h"

#include "FakeImageLoader.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "StepDocuments.h"
#include "loading/Localization.h"
#include "steps/PathloomStepFactory.h"
#include "taskmodel/ORKImageCaptureStep.h"

#include <gtest/gtest.h>

#include <QJsonDocument>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;
using test::someNetworkManager;
using test::stepData;

// Besides the title, the table holds the addresses and URLs of the documents below, so that
// translating them by mistake would show.
const Localization kFrench(
    QList<TranslationLocale>{{u"fr"_s,
                              {Translation{1, u"Hello"_s, u"Bonjour"_s, 1},
                               Translation{2, u"care@example.org"_s, u"x"_s, 1},
                               Translation{3, u"https://api.example/{visit.id}.pdf"_s, u"x"_s, 1},
                               Translation{4, u"App"_s, u"Appli"_s, 1}}}},
    {u"fr"_s});

class EmailPdfAndCaptureStepsTest : public testing::Test {
protected:
    template <typename Builder>
    StepBuildResult build(const QByteArray& document, const StepContext& context = {}) {
        return Builder::build(stepData(document), context, manager, images, kFrench);
    }
    template <typename Step, typename Builder = Step>
    std::shared_ptr<Step> built(const QByteArray& document, const StepContext& context = {}) {
        const StepBuildResult step = build<Builder>(document, context);
        if (!step) {
            ADD_FAILURE() << step.error().localizedDescription().toStdString();
            return nullptr;
        }
        auto typed = std::dynamic_pointer_cast<Step>(*step);
        EXPECT_TRUE(typed) << "built a step of another class";
        return typed;
    }

    std::shared_ptr<NetworkManager> manager = someNetworkManager();
    std::shared_ptr<test::FakeImageLoader> images = std::make_shared<test::FakeImageLoader>();
};

TEST_F(EmailPdfAndCaptureStepsTest, EmailSubjectJoinsThePresentNamesUntranslated) {
    const QList<std::pair<StepContext, QString>> cases{
        {{u"App"_s, u"Visit"_s}, u"App - Visit"_s}, {{std::nullopt, u"Visit"_s}, u"Visit"_s},
        {{u"App"_s, std::nullopt}, u"App"_s},       {{std::nullopt, std::nullopt}, u""_s},
        {{u""_s, u"Visit"_s}, u" - Visit"_s},
    };
    for (const auto& [context, subject] : cases) {
        const auto step =
            built<PathloomEmailStep>(R"({"type":"email","identifier":"mail"})", context);
        ASSERT_TRUE(step);
        EXPECT_EQ(step->subject(), subject);
    }
}

TEST_F(EmailPdfAndCaptureStepsTest, EmailStepReadsRecipientAndPropertiesLeniently) {
    struct Case {
        QByteArray content;
        std::optional<QString> sendTo;
        QStringList properties;
    };
    const QList<Case> cases{
        {R"({"sendTo":"care@example.org","requestPropertyIdentifiers":["consent","photo"]})",
         u"care@example.org"_s,
         {u"consent"_s, u"photo"_s}},
        {R"({"sendTo":5,"requestPropertyIdentifiers":["consent",3]})", std::nullopt, {}},
        {R"({"requestPropertyIdentifiers":"consent"})", std::nullopt, {}},
        {R"({"requestPropertyIdentifiers":[]})", std::nullopt, {}},
        {R"({})", std::nullopt, {}},
    };
    for (const Case& emailCase : cases) {
        QJsonObject json = jsonObject(emailCase.content);
        json.insert(u"type"_s, u"email"_s);
        json.insert(u"identifier"_s, u"mail"_s);
        const auto step = built<PathloomEmailStep>(QJsonDocument(json).toJson());
        ASSERT_TRUE(step);
        EXPECT_EQ(step->sendTo(), emailCase.sendTo) << emailCase.content.toStdString();
        EXPECT_EQ(step->requestPropertyIdentifiers(), emailCase.properties)
            << emailCase.content.toStdString();
        EXPECT_EQ(step->networkManager(), manager);
        EXPECT_EQ(step->identifier, u"mail"_s);
    }
}

TEST_F(EmailPdfAndCaptureStepsTest, PdfStepNeedsATextUrl) {
    for (const QByteArray& document :
         {QByteArray(R"({"type":"pdfViewer","identifier":"doc"})"),
          QByteArray(R"({"type":"pdfViewer","identifier":"doc","pdfURL":12})"),
          QByteArray(R"({"type":"pdfViewer","identifier":"doc","pdfURL":["a.pdf"]})")}) {
        const StepBuildResult step = build<PathloomPDFStep>(document);
        ASSERT_FALSE(step) << document.toStdString();
        EXPECT_EQ(step.error().localizedDescription(), u"Invalid step data: Invalid PDF URL."_s);
    }

    const auto step = built<PathloomPDFStep>(
        R"({"type":"pdfViewer","identifier":"doc","pdfURL":"https://api.example/{visit.id}.pdf"})");
    ASSERT_TRUE(step);
    EXPECT_EQ(step->pdfURL(), u"https://api.example/{visit.id}.pdf"_s);
    EXPECT_EQ(step->networkManager(), manager);
}

TEST_F(EmailPdfAndCaptureStepsTest, DocumentCaptureStepReadsOnlyItsIdentifier) {
    const auto plain =
        built<PathloomDocumentCaptureStep>(R"({"type":"documentCapture","identifier":"scan"})");
    const auto extra = built<PathloomDocumentCaptureStep>(
        R"({"type":"documentCapture","identifier":"scan","text":"Hello","optional":true,
            "url":"https://api.example/","items":[null]})");
    ASSERT_TRUE(plain && extra);
    for (const auto& step : {plain, extra}) {
        EXPECT_EQ(step->identifier, u"scan"_s);
        EXPECT_EQ(step->title, std::nullopt);
        EXPECT_EQ(step->text, std::nullopt);
        EXPECT_FALSE(step->optional);
    }
}

TEST_F(EmailPdfAndCaptureStepsTest, ImageCaptureStepIsOptionalOnlyForTrueOrOne) {
    const QList<std::pair<QByteArray, bool>> cases{
        {R"({})", false},
        {R"({"optional":true})", true},
        {R"({"optional":false})", false},
        {R"({"optional":1})", true},
        {R"({"optional":1.0})", true},
        {R"({"optional":0})", false},
        {R"({"optional":2})", false},
        {R"({"optional":0.5})", false},
        {R"({"optional":"true"})", false},
    };
    for (const auto& [content, optional] : cases) {
        QJsonObject json = jsonObject(content);
        json.insert(u"type"_s, u"imageCapture"_s);
        json.insert(u"identifier"_s, u"cam"_s);
        const auto step =
            built<ORKImageCaptureStep, ImageCaptureStepBuilder>(QJsonDocument(json).toJson());
        ASSERT_TRUE(step);
        EXPECT_EQ(step->optional, optional) << content.toStdString();
    }
}

TEST_F(EmailPdfAndCaptureStepsTest, ImageCaptureStepTakesAnIntegerDevicePositionAndItsTitle) {
    const QList<std::pair<QByteArray, qint64>> cases{
        {R"({"devicePosition":2,"title":"Hello"})", 2},
        {R"({"devicePosition":1.0,"title":"Hello"})", 1},
        {R"({"devicePosition":"2","title":"Hello"})", 0},
        {R"({"devicePosition":1.5,"title":"Hello"})", 0},
    };
    for (const auto& [content, position] : cases) {
        QJsonObject json = jsonObject(content);
        json.insert(u"identifier"_s, u"cam"_s);
        const auto step =
            built<ORKImageCaptureStep, ImageCaptureStepBuilder>(QJsonDocument(json).toJson());
        ASSERT_TRUE(step);
        EXPECT_EQ(step->devicePosition, position) << content.toStdString();
        EXPECT_EQ(step->title, u"Bonjour"_s);
        EXPECT_EQ(step->templateImage, std::nullopt);
    }
    EXPECT_TRUE(images->requests().isEmpty()) << "nothing to load without a template image URL";
}

TEST_F(EmailPdfAndCaptureStepsTest, ImageCaptureStepLoadsItsTemplateImageOrFails) {
    const QImage frame(4, 3, QImage::Format_RGB32);
    images->add(u"https://img.example/frame.png"_s, frame);

    const auto step = built<ORKImageCaptureStep, ImageCaptureStepBuilder>(
        R"({"type":"imageCapture","identifier":"cam",
            "templateImageURL":"https://img.example/frame.png"})");
    ASSERT_TRUE(step);
    EXPECT_EQ(step->templateImage, frame);

    const auto notText = built<ORKImageCaptureStep, ImageCaptureStepBuilder>(
        R"({"type":"imageCapture","identifier":"cam","templateImageURL":7})");
    ASSERT_TRUE(notText);
    EXPECT_EQ(notText->templateImage, std::nullopt);
    EXPECT_EQ(images->requests(), QStringList{u"https://img.example/frame.png"_s});

    const StepBuildResult missing = build<ImageCaptureStepBuilder>(
        R"({"type":"imageCapture","identifier":"wound-photo",
            "templateImageURL":"https://img.example/gone.png"})");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().localizedDescription(),
              u"The app was unable to load the template image for Image Capture Step with "
              u"identifier: wound-photo"_s);
    const StepCreationError* error = missing.error().as<StepCreationError>();
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, StepCreationError::unableToLoadTemplateImage(u"wound-photo"_s));
    EXPECT_EQ(error->failureReason(), error->description());
    EXPECT_EQ(error->recoverySuggestion(),
              u"Please, check the configuration of the step on the Pathloom portal"_s);
}

TEST_F(EmailPdfAndCaptureStepsTest, FactoryTitlesTheseStepsAndPassesTheirErrors) {
    const PathloomStepFactory factory;
    const StepContext context{u"App"_s, u"Visit"_s};

    const StepBuildResult email =
        factory.buildStep(stepData(R"({"type":"email","identifier":"mail","title":"Hello"})"),
                          context, manager, images, kFrench);
    ASSERT_TRUE(email);
    EXPECT_EQ((*email)->title, u"Bonjour"_s);
    ASSERT_TRUE(std::dynamic_pointer_cast<PathloomEmailStep>(*email));
    EXPECT_EQ(std::dynamic_pointer_cast<PathloomEmailStep>(*email)->subject(), u"App - Visit"_s);

    const StepBuildResult pdf =
        factory.buildStep(stepData(R"({"type":"pdfViewer","identifier":"doc","title":"Hello"})"),
                          context, manager, images, kFrench);
    ASSERT_FALSE(pdf);
    EXPECT_EQ(pdf.error().localizedDescription(), u"Invalid step data: Invalid PDF URL."_s);

    const StepBuildResult capture =
        factory.buildStep(stepData(R"({"type":"imageCapture","identifier":"cam","title":"Hello",
                     "templateImageURL":"missing.png"})"),
                          context, manager, images, kFrench);
    ASSERT_FALSE(capture);
    EXPECT_TRUE(capture.error().localizedDescription().endsWith(u"identifier: cam"_s));
    EXPECT_EQ(capture.error().domain(), StepCreationError::domain());

    const StepBuildResult scan = factory.buildStep(
        stepData(R"({"type":"documentCapture","identifier":"scan","title":"Hello"})"), context,
        manager, images, kFrench);
    ASSERT_TRUE(scan);
    EXPECT_EQ((*scan)->title, u"Bonjour"_s);
}

}  // namespace
}  // namespace pathloom
