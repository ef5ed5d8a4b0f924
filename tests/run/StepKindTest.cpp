#include "run/StepKind.h"

#include "FakeImageLoader.h"
#include "InMemoryKeyStore.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "loading/AppAssembly.h"
#include "session/Session.h"
#include "steps/PathloomStepFactory.h"
#include "steps/ResearchKitStepFactory.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

// Every step type of an app document, each under the identifier of the kind it must be given:
// several classes derive from others (a network step is a wait step, a completion step an
// instruction step), so the most derived kind has to win.
const QByteArray kEveryType = R"([{"id":1,"identifier":"all","steps":[
    {"type":"instructions","identifier":"instruction"},
    {"type":"videoInstructions","identifier":"videoInstruction","url":"https://example.com/v.mp4"},
    {"type":"completion","identifier":"completion"},
    {"type":"question","identifier":"question","answerFormat":{"_class":"ORKBooleanAnswerFormat"}},
    {"type":"form","identifier":"form","formItems":[]},
    {"type":"videoCapture","identifier":"videoCapture"},
    {"type":"signature","identifier":"signature"},
    {"type":"network","identifier":"network","url":"/post"},
    {"type":"simulateNetwork","identifier":"simulatedNetwork"},
    {"type":"list","identifier":"list","items":[]},
    {"type":"networkList","identifier":"remoteList","url":"/list"},
    {"type":"display","identifier":"display","items":[]},
    {"type":"networkDisplay","identifier":"remoteDisplay","url":"/page"},
    {"type":"email","identifier":"email"},
    {"type":"pdfViewer","identifier":"pdf","pdfURL":"/doc.pdf"},
    {"type":"documentCapture","identifier":"documentCapture"},
    {"type":"imageCapture","identifier":"imageCapture"}]}])";

TEST(StepKindTest, EveryStepTypeGetsItsMostDerivedKindAndClassName) {
    auto images = std::make_shared<test::FakeImageLoader>();
    const auto app = AppData::fromJson(
        test::jsonObject(
            R"({"id":9,"name":"Kinds","servers":[{"id":1,"url":"https://api.example.com"}],)"
            R"("navigationStyle":"list","workflows":)" +
            kEveryType + "}"),
        1, std::nullopt, *images);
    ASSERT_TRUE(app) << app.error().description().toStdString();
    const AssemblyContext context{images,
                                  std::make_shared<Session>(),
                                  {std::make_shared<const PathloomStepFactory>(),
                                   std::make_shared<const ResearchKitStepFactory>()},
                                  nullptr,
                                  std::make_shared<test::InMemoryKeyStore>(),
                                  QStringList{u"en"_s}};
    const auto configuration = buildAppConfiguration(*app, context);
    ASSERT_TRUE(configuration) << configuration.error().localizedDescription().toStdString();

    const auto& steps = configuration->tasks.first().task->steps;
    ASSERT_EQ(steps.size(), 17);
    for (const auto& step : steps) {
        EXPECT_EQ(stepKindName(stepKind(*step)), step->identifier);
    }
    EXPECT_EQ(stepClassName(steps[2]), u"ORKCompletionStep"_s);
    EXPECT_EQ(stepClassName(steps[8]), u"PathloomSimulateNetworkStep"_s);
    EXPECT_EQ(stepClassName(steps[15]), u"PathloomDocumentCaptureStep"_s);
    EXPECT_EQ(stepKind(ORKStep(u"plain"_s)), StepKind::other);
    EXPECT_EQ(stepKindName(StepKind::other), u"other"_s);
}

}  // namespace
}  // namespace pathloom
