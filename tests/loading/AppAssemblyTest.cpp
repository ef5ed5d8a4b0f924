#include "loading/AppAssembly.h"

#include "FakeImageLoader.h"
#include "InMemoryKeyStore.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "network/NetworkManager.h"
#include "session/ResultEqualityStepNavigationRule.h"
#include "session/Session.h"
#include "steps/PathloomNetworkStep.h"
#include "steps/PathloomStepFactory.h"
#include "steps/ResearchKitStepFactory.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;

class AppAssemblyTest : public testing::Test {
protected:
    std::expected<AppConfiguration, Error> assemble(const QByteArray& workflows,
                                                    const QByteArray& extraKeys = {}) {
        const auto app = AppData::fromJson(
            jsonObject(
                R"({"id":9,"name":"Survey","servers":[{"id":1,"url":"https://api.example.com"}],)"
                R"("navigationStyle":"list",)" +
                extraKeys + R"("workflows":)" + workflows + "}"),
            1, std::nullopt, *images);
        EXPECT_TRUE(app) << app.error().description().toStdString();
        return buildAppConfiguration(*app, context);
    }

    static QStringList stepIdentifiers(const Workflow& workflow) {
        QStringList identifiers;
        for (const auto& step : workflow.task->steps) {
            identifiers.append(step->identifier);
        }
        return identifiers;
    }

    std::shared_ptr<test::FakeImageLoader> images = std::make_shared<test::FakeImageLoader>();
    std::shared_ptr<Session> session = std::make_shared<Session>();
    AssemblyContext context{images,
                            session,
                            {std::make_shared<const PathloomStepFactory>(),
                             std::make_shared<const ResearchKitStepFactory>()},
                            nullptr,
                            std::make_shared<test::InMemoryKeyStore>(),
                            QStringList{u"en"_s}};
};

TEST_F(AppAssemblyTest, LeavesOutStepsOfUnknownTypesAndKeepsTheOrder) {
    const auto configuration = assemble(R"([{"id":1,"identifier":"w1","name":"Visit","steps":[
        {"type":"instructions","identifier":"s1"},
        {"type":"hologram","identifier":"s2"},
        {"type":"completion","identifier":"s3"}]}])");

    ASSERT_TRUE(configuration) << configuration.error().localizedDescription().toStdString();
    ASSERT_EQ(configuration->tasks.size(), 1);
    const Workflow& workflow = configuration->tasks.first();
    EXPECT_EQ(workflow.task->identifier, u"w1"_s);
    EXPECT_EQ(workflow.name, u"Visit"_s);
    EXPECT_EQ(stepIdentifiers(workflow), (QStringList{u"s1"_s, u"s3"_s}));
}

TEST_F(AppAssemblyTest, FailsWithTheStepAndWorkflowIdentifiersOfAStepThatFails) {
    const auto configuration = assemble(R"([{"id":1,"identifier":"w1","name":"Visit","steps":[
        {"type":"instructions","identifier":"s1"},
        {"type":"network","identifier":"n1"}]}])");

    ASSERT_FALSE(configuration);
    EXPECT_EQ(configuration.error().localizedDescription(),
              u"Invalid step data: Failed to parse step 'n1' in workflow 'w1':\n"
              u"Invalid step data: Invalid NetworkStep url for n1.."_s);
}

TEST_F(AppAssemblyTest, KeepsTheAnalyticsAddressOnlyWhenGatheringIsOn) {
    const QByteArray analytics = R"("analyticsURL":"https://stats.example.com",)";
    EXPECT_EQ(assemble("[]", analytics)->analyticsURL, std::nullopt);
    EXPECT_EQ(assemble("[]", analytics + R"("gatherAnalytics":true,)")->analyticsURL,
              QUrl(u"https://stats.example.com"_s));
}

TEST_F(AppAssemblyTest, ResolvesThePrimaryAndInitialWorkflowToTheFirstWithTheirId) {
    const auto app = AppData::fromJson(
        jsonObject(R"({"id":9,"name":"Survey","servers":[],"navigationStyle":"primary_workflow",)"
                   R"("navigationWorkflow1Id":5,"workflows":[
                   {"id":5,"identifier":"first","steps":[]},{"id":5,"identifier":"second","steps":[]},
                   {"id":6,"identifier":"third","steps":[]}]})"),
        std::nullopt, 5, *images);
    ASSERT_TRUE(app);

    const auto configuration = buildAppConfiguration(*app, context);

    ASSERT_TRUE(configuration);
    ASSERT_TRUE(configuration->primaryWorkflow);
    EXPECT_EQ(configuration->primaryWorkflow->task->identifier, u"first"_s);
    ASSERT_TRUE(configuration->initialWorkflow);
    EXPECT_EQ(configuration->initialWorkflow->task, configuration->tasks.first().task);
}

TEST_F(AppAssemblyTest, KeepsTheLaterRuleOfATrigger) {
    const auto configuration = assemble(R"([{"id":1,"identifier":"w1","steps":[
        {"type":"instructions","identifier":"a"},{"type":"instructions","identifier":"b"},
        {"type":"instructions","identifier":"c"}],
        "navigationRules":[{"from":"a","rules":[{"to":"b"}]},{"from":"a","rules":[{"to":"c"}]}]}])");

    ASSERT_TRUE(configuration);
    const auto rule = std::dynamic_pointer_cast<ResultEqualityStepNavigationRule>(
        configuration->tasks.first().task->navigationRuleForTriggerStepIdentifier(u"a"_s));
    ASSERT_TRUE(rule);
    ASSERT_EQ(rule->navigationDestinationRules.size(), 1);
    EXPECT_EQ(rule->navigationDestinationRules.first().toStepIdentifier, u"c"_s);
    EXPECT_EQ(rule->session, session);
}

TEST_F(AppAssemblyTest, GivesEachWorkflowItsOwnClientOverTheSharedSession) {
    const auto configuration = assemble(R"([
        {"id":1,"identifier":"w1","steps":[{"type":"network","identifier":"n1","url":"/one"}]},
        {"id":2,"identifier":"w2","steps":[{"type":"network","identifier":"n2","url":"/two"}]}])");

    ASSERT_TRUE(configuration);
    const auto first =
        std::dynamic_pointer_cast<PathloomNetworkStep>(configuration->tasks[0].task->steps.first());
    const auto second =
        std::dynamic_pointer_cast<PathloomNetworkStep>(configuration->tasks[1].task->steps.first());
    ASSERT_TRUE(first && second);
    EXPECT_NE(first->networkManager(), second->networkManager());
    EXPECT_EQ(first->networkManager()->stepsSession(), session);
    EXPECT_EQ(second->networkManager()->stepsSession(), session);
    EXPECT_EQ(first->networkManager()->url(u"/one"_s), QUrl(u"https://api.example.com/one"_s));
}

}  // namespace
}  // namespace pathloom
