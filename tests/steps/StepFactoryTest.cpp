#include "steps/PathloomStepFactory.h"
#include "steps/ResearchKitStepFactory.h"

#include "FakeImageLoader.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "StepDocuments.h"
#include "documents/ParseError.h"
#include "loading/Localization.h"
#include "serialization/ORKESerializationError.h"
#include "steps/PathloomCoreStepType.h"
#include "steps/PathloomListStep.h"
#include "steps/ResearchKitStepType.h"
#include "steps/StepFactoryError.h"
#include "taskmodel/ORKCompletionStep.h"
#include "taskmodel/ORKQuestionStep.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;
using test::someNetworkManager;
using test::stepData;

const Localization kFrench(QList<TranslationLocale>{{u"fr"_s,
                                                     {Translation{1, u"Hello"_s, u"Bonjour"_s, 1},
                                                      Translation{2, u"q1"_s, u"Q-un"_s, 1}}}},
                           {u"fr"_s});
const Localization kNoTable(std::nullopt, {u"fr"_s});

// Plug-in steps record which class built them.
template <int Plugin>
class PluginStep : public ORKStep {
public:
    using ORKStep::ORKStep;
    static inline int builds = 0;

    static StepBuildResult build(const StepData& data, const StepContext& context,
                                 const std::shared_ptr<NetworkManager>&,
                                 const std::shared_ptr<ImageLoader>&, const Localization&) {
        ++builds;
        auto step = std::make_shared<PluginStep>(data.identifier);
        step->title = context.workflowName;
        return step;
    }
};

class PluginStepType : public PathloomStepType {
public:
    PluginStepType(QString name, StepClass stepClass)
        : m_name(std::move(name)), m_stepClass(std::move(stepClass)) {}
    QString typeName() const override { return m_name; }
    StepClass stepClass() const override { return m_stepClass; }

private:
    QString m_name;
    StepClass m_stepClass;
};

struct SurveyPlugin {
    static StepTypes allStepsTypes() {
        return {std::make_shared<PluginStepType>(u"survey"_s, StepClass::of<PluginStep<1>>()),
                std::make_shared<PluginStepType>(u"list"_s, StepClass::of<PluginStep<1>>()),
                std::make_shared<PluginStepType>(u"question"_s, StepClass::of<PluginStep<1>>())};
    }
};

struct LaterPlugin {
    static StepTypes allStepsTypes() {
        return {std::make_shared<PluginStepType>(u"survey"_s, StepClass::of<PluginStep<2>>()),
                std::make_shared<PluginStepType>(u"sketch"_s, StepClass::of<PluginStep<2>>())};
    }
};

class FailingStep : public ORKStep {
public:
    static StepBuildResult build(const StepData&, const StepContext&,
                                 const std::shared_ptr<NetworkManager>&,
                                 const std::shared_ptr<ImageLoader>&, const Localization&) {
        return std::unexpected(ParseError::invalidStepData(u"Missing url"_s));
    }
};

struct FailingPlugin {
    static StepTypes allStepsTypes() {
        return {std::make_shared<PluginStepType>(u"broken"_s, StepClass::of<FailingStep>())};
    }
};

class StepFactoryTest : public testing::Test {
protected:
    StepBuildResult build(const StepFactory& factory, const QByteArray& document,
                          const Localization& localization = kNoTable) {
        return factory.buildStep(stepData(document), StepContext{u"App"_s, u"Visit"_s}, nullptr,
                                 images, localization);
    }

    std::shared_ptr<test::FakeImageLoader> images = std::make_shared<test::FakeImageLoader>();
};

TEST_F(StepFactoryTest, PathloomFactoryListsBuiltInTypesThenPluginTypesInOrder) {
    const PathloomStepFactory factory(
        {PluginType::of<SurveyPlugin>(), PluginType::of<LaterPlugin>()});

    QStringList names;
    for (const auto& type : factory.supportedTypes()) {
        names.append(type->typeName());
    }
    EXPECT_EQ(
        names,
        (QStringList{u"imageCapture"_s, u"list"_s, u"networkList"_s, u"pdfViewer"_s, u"network"_s,
                     u"simulateNetwork"_s, u"display"_s, u"networkDisplay"_s, u"documentCapture"_s,
                     u"email"_s, u"survey"_s, u"list"_s, u"question"_s, u"survey"_s, u"sketch"_s}));
    EXPECT_TRUE(factory.canBuild(u"sketch"_s));
    EXPECT_FALSE(factory.canBuild(u"Sketch"_s));
    EXPECT_TRUE(PathloomStepFactory().canBuild(u"network"_s))
        << "without plug-ins, the built-in types";
}

TEST_F(StepFactoryTest, EarlierPluginWinsAndBuiltInNamesCannotBeTaken) {
    const PathloomStepFactory factory(
        {PluginType::of<SurveyPlugin>(), PluginType::of<LaterPlugin>()});
    PluginStep<1>::builds = 0;
    PluginStep<2>::builds = 0;

    const auto survey = build(factory, R"({"type":"survey","identifier":"s"})");
    ASSERT_TRUE(survey);
    EXPECT_TRUE(std::dynamic_pointer_cast<PluginStep<1>>(*survey));
    EXPECT_EQ(PluginStep<2>::builds, 0);

    const auto list = build(factory, R"({"type":"list","identifier":"l"})");
    EXPECT_EQ(PluginStep<1>::builds, 1) << "the plug-in's list type is never used";
    ASSERT_TRUE(list);
    EXPECT_TRUE(std::dynamic_pointer_cast<PathloomListStep>(*list));
}

TEST_F(StepFactoryTest, PluginQuestionTypeIsBuiltByThePlugin) {
    const QList<std::shared_ptr<const StepFactory>> factories{
        std::make_shared<PathloomStepFactory>(QList<PluginType>{PluginType::of<SurveyPlugin>()}),
        std::make_shared<ResearchKitStepFactory>()};
    const auto chosen = std::find_if(factories.begin(), factories.end(), [](const auto& factory) {
        return factory->canBuild(u"question"_s);
    });
    ASSERT_NE(chosen, factories.end());

    const auto step = build(**chosen, R"({"type":"question","identifier":"q"})");

    ASSERT_TRUE(step);
    EXPECT_TRUE(std::dynamic_pointer_cast<PluginStep<1>>(*step));
}

TEST_F(StepFactoryTest, PathloomFactoryTranslatesATextTitleAndKeepsTheBuildersOtherwise) {
    const PathloomStepFactory factory({PluginType::of<SurveyPlugin>()});
    struct TitleCase {
        QByteArray document;
        std::optional<QString> title;
    };
    const QList<TitleCase> cases{
        {R"({"type":"survey","identifier":"s","title":"Hello"})", u"Bonjour"_s},
        {R"({"type":"survey","identifier":"s","title":"Goodbye"})", u"Goodbye"_s},
        {R"({"type":"survey","identifier":"s","title":7})", u"Visit"_s},
        {R"({"type":"survey","identifier":"s"})", u"Visit"_s},
    };
    for (const TitleCase& titleCase : cases) {
        const auto step = build(factory, titleCase.document, kFrench);
        ASSERT_TRUE(step);
        EXPECT_EQ((*step)->title, titleCase.title) << titleCase.document.toStdString();
    }
}

TEST_F(StepFactoryTest, PathloomFactoryPassesBuildErrorsAndRefusesUnknownTypes) {
    const PathloomStepFactory factory({PluginType::of<FailingPlugin>()});

    const auto broken = build(factory, R"({"type":"broken","identifier":"b"})");
    ASSERT_FALSE(broken);
    EXPECT_EQ(broken.error().localizedDescription(), u"Invalid step data: Missing url."_s);

    const auto unknown = build(factory, R"({"type":"question","identifier":"q"})");
    ASSERT_FALSE(unknown);
    EXPECT_TRUE(unknown.error().as<StepFactoryError>());
    EXPECT_EQ(
        unknown.error().localizedDescription(),
        u"The operation couldn\u2019t be completed. (PathloomCore.StepFactoryError error 0.)"_s);
}

TEST_F(StepFactoryTest, ResearchKitFactoryBuildsExactlyTheSevenKinds) {
    const ResearchKitStepFactory factory;
    QStringList names;
    for (const ResearchKitStepType& type : ResearchKitStepType::allCases()) {
        names.append(type.typeName());
        EXPECT_TRUE(factory.canBuild(type.typeName()));
    }
    EXPECT_EQ(names, (QStringList{u"instructions"_s, u"videoInstructions"_s, u"completion"_s,
                                  u"question"_s, u"form"_s, u"videoCapture"_s, u"signature"_s}));
    for (const QString& other : {u"Question"_s, u"instruction"_s, u"network"_s, u""_s}) {
        EXPECT_FALSE(factory.canBuild(other)) << other.toStdString();
    }
    const auto unsupported = build(factory, R"({"type":"network","identifier":"n"})");
    ASSERT_FALSE(unsupported);
    EXPECT_EQ(unsupported.error().localizedDescription(),
              u"Invalid step data: Unsupported step type."_s);
}

TEST_F(StepFactoryTest, ResearchKitFactoryOverwritesTheClassAndTranslatesThroughTheTable) {
    const auto step = build(ResearchKitStepFactory(),
                            R"({"type":"question","identifier":"q1","_class":"ORKCompletionStep",
                                "title":"Hello","answerFormat":{"_class":"ORKBooleanAnswerFormat"}})",
                            kFrench);

    ASSERT_TRUE(step) << step.error().localizedDescription().toStdString();
    const auto question = std::dynamic_pointer_cast<ORKQuestionStep>(*step);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->identifier, u"q1"_s) << "identifiers are never translated";
    EXPECT_EQ(question->title, u"Bonjour"_s);
    EXPECT_TRUE(question->answerFormat);
}

TEST_F(StepFactoryTest, ResearchKitFactoryPassesSerializerErrorsUnchanged) {
    const auto step =
        build(ResearchKitStepFactory(), R"({"type":"instructions","identifier":"i","title":3})");

    ASSERT_FALSE(step);
    EXPECT_EQ(step.error().domain(), u"ORKESerializationErrorDomain"_s);
    EXPECT_EQ(step.error().code(), 1001);
    EXPECT_EQ(step.error().localizedDescription(),
              u"Could not convert 'title':\nUnexpected input of class NSNumber for NSString"_s);
}

TEST_F(StepFactoryTest, ResearchKitFactoryPrefersTheParsedImageToItsUrl) {
    const QImage parsed(2, 2, QImage::Format_RGB32);
    const QImage loaded(5, 5, QImage::Format_RGB32);
    images->add(u"https://img.example/a.png"_s, loaded);
    const ResearchKitStepFactory factory;
    const StepContext context;

    StepData withBoth = stepData(R"({"type":"instructions","identifier":"i"})");
    withBoth.image = parsed;
    withBoth.imageURL = u"https://img.example/a.png"_s;
    const auto both = factory.buildStep(withBoth, context, nullptr, images, kNoTable);
    ASSERT_TRUE(both);
    EXPECT_EQ((*both)->image, parsed);
    EXPECT_TRUE(images->requests().isEmpty()) << "the URL is not loaded";

    StepData withUrl = withBoth;
    withUrl.image.reset();
    const auto url = factory.buildStep(withUrl, context, nullptr, images, kNoTable);
    ASSERT_TRUE(url);
    EXPECT_EQ((*url)->image, loaded);

    const auto neither = factory.buildStep(stepData(R"({"type":"completion","identifier":"c"})"),
                                           context, nullptr, images, kNoTable);
    ASSERT_TRUE(neither);
    EXPECT_TRUE(std::dynamic_pointer_cast<ORKCompletionStep>(*neither));
    EXPECT_EQ((*neither)->image, std::nullopt);
}

}  // namespace
}  // namespace pathloom
