#include "run/NavigationPlan.h"

#include "QtPrinting.h"
#include "Workflows.h"
#include "foundation/Error.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::workflow;

QList<qint64> idsOf(const QList<Workflow>& workflows) {
    QList<qint64> ids;
    for (const Workflow& each : workflows) {
        ids.append(each.id);
    }
    return ids;
}

std::optional<qint64> idOf(const std::optional<Workflow>& each) {
    return each ? std::optional(each->id) : std::nullopt;
}

// Four workflows, two of them sharing id 3 so that "the first workflow with an id" shows.
class NavigationPlanTest : public testing::Test {
protected:
    AppConfiguration configuration(AppNavigationStyle style) const {
        AppConfiguration app;
        app.id = 7;
        app.name = u"Field Study"_s;
        app.navigationStyle = style;
        app.tasks = {workflow(1, u"First"_s), workflow(2, u"Second"_s), workflow(3, u"Third"_s),
                     workflow(3, u"Third again"_s)};
        return app;
    }

    std::optional<Workflow> byId(const AppConfiguration& app, std::optional<qint64> id) const {
        const auto found = std::ranges::find(
            app.tasks, id, [](const Workflow& each) { return std::optional(each.id); });
        return found != app.tasks.end() ? std::optional(*found) : std::nullopt;
    }
};

struct TabCase {
    const char* name;
    QList<qint64> tabIds;
    std::optional<qint64> initialWorkflow;
    QList<qint64> expectedTabs;
    std::optional<qsizetype> expectedSelection;
    // The initial workflow each tab opens, in tab order.
    QList<std::optional<qint64>> expectedInitials;
    QString expectedLine;
};

TEST_F(NavigationPlanTest, TabsFollowTheTabIdsAndTheInitialWorkflowSelectsOrOpens) {
    const TabCase cases[] = {
        {"unknown ids are skipped",
         {3, 99, 1},
         std::nullopt,
         {3, 1},
         std::nullopt,
         {std::nullopt, std::nullopt},
         uR"(Navigation: tabs 3 "Third", 1 "First")"_s},
        {"an initial tab is selected and opens nothing",
         {3, 99, 1},
         1,
         {3, 1},
         1,
         {std::nullopt, std::nullopt},
         uR"(Navigation: tabs 3 "Third", 1 "First" (selected: 1))"_s},
        {"an initial workflow without a tab opens in the first tab",
         {3, 99, 1},
         2,
         {3, 1},
         std::nullopt,
         {2, std::nullopt},
         uR"(Navigation: tabs 3 "Third", 1 "First", opens 2 first)"_s},
        {"a repeated id selects its first tab",
         {2, 1, 1},
         1,
         {2, 1, 1},
         1,
         {std::nullopt, std::nullopt, std::nullopt},
         uR"(Navigation: tabs 2 "Second", 1 "First", 1 "First" (selected: 1))"_s},
        {"no id names a workflow", {99}, 2, {}, std::nullopt, {}, u"Navigation: no tabs"_s},
    };
    for (const TabCase& row : cases) {
        SCOPED_TRACE(row.name);
        AppConfiguration app = configuration(AppNavigationStyle::tabBar);
        app.tabIds = row.tabIds;
        app.initialWorkflow = byId(app, row.initialWorkflow);

        const auto plan = NavigationPlan::make(app);

        ASSERT_TRUE(plan);
        const auto* tabs = std::get_if<NavigationPlan::Tabs>(&plan->screen());
        ASSERT_TRUE(tabs);
        EXPECT_EQ(tabs->title, u"Field Study"_s);
        QList<qint64> tabIds;
        QList<std::optional<qint64>> initials;
        for (const NavigationPlan::Tab& tab : tabs->tabs) {
            tabIds.append(tab.workflow.id);
            initials.append(idOf(tab.initialWorkflow));
        }
        EXPECT_EQ(tabIds, row.expectedTabs);
        EXPECT_EQ(initials, row.expectedInitials);
        EXPECT_EQ(tabs->selectedIndex, row.expectedSelection);
        EXPECT_EQ(plan->describe(), row.expectedLine);
        EXPECT_EQ(idsOf(plan->allWorkflows()), (QList<qint64>{1, 2, 3, 3}));
    }
}

TEST_F(NavigationPlanTest, ATabShowsTheFirstWorkflowOfItsId) {
    AppConfiguration app = configuration(AppNavigationStyle::tabBar);
    app.tabIds = QList<qint64>{3};

    const auto plan = NavigationPlan::make(app);

    ASSERT_TRUE(plan);
    const auto& tabs = std::get<NavigationPlan::Tabs>(plan->screen()).tabs;
    ASSERT_EQ(tabs.size(), 1);
    EXPECT_EQ(tabs[0].workflow.name, u"Third"_s);
    EXPECT_EQ(tabs[0].workflow.task, app.tasks[2].task);
}

TEST_F(NavigationPlanTest, AListShowsEveryWorkflowUnderTheAppNameAndOpensTheInitialOne) {
    AppConfiguration app = configuration(AppNavigationStyle::list);
    app.initialWorkflow = app.tasks[1];
    app.tabIds = QList<qint64>{};

    const auto plan = NavigationPlan::make(app);

    ASSERT_TRUE(plan);
    const auto* list = std::get_if<NavigationPlan::List>(&plan->screen());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->title, u"Field Study"_s);
    EXPECT_EQ(idsOf(list->workflows), (QList<qint64>{1, 2, 3, 3}));
    EXPECT_EQ(idOf(list->initialWorkflow), 2);
    EXPECT_EQ(plan->describe(), u"Navigation: list of 4 workflows, opens 2 first"_s);

    app.tasks = {workflow(8, std::nullopt)};
    app.initialWorkflow.reset();
    EXPECT_EQ(NavigationPlan::describe(NavigationPlan::make(app)),
              u"Navigation: list of 1 workflow"_s);
}

TEST_F(NavigationPlanTest, ThePrimaryStyleShowsThePrimaryWorkflowWithTheInitialOneOverIt) {
    AppConfiguration app = configuration(AppNavigationStyle::primaryWorkflow);
    app.primaryWorkflow = app.tasks[1];
    app.initialWorkflow = app.tasks[0];

    const auto plan = NavigationPlan::make(app);

    ASSERT_TRUE(plan);
    const auto* primary = std::get_if<NavigationPlan::Primary>(&plan->screen());
    ASSERT_TRUE(primary);
    EXPECT_EQ(primary->workflow.id, 2);
    EXPECT_EQ(idOf(primary->initialWorkflow), 1);
    EXPECT_EQ(idsOf(plan->allWorkflows()), (QList<qint64>{1, 2, 3, 3}));
    EXPECT_EQ(plan->describe(), uR"(Navigation: primary workflow 2 "Second", opens 1 first)"_s);

    app.primaryWorkflow = workflow(5, std::nullopt);
    app.initialWorkflow.reset();
    EXPECT_EQ(NavigationPlan::make(app)->describe(), u"Navigation: primary workflow 5"_s);
}

TEST_F(NavigationPlanTest, AStyleWithoutItsWorkflowsFailsWithTheGenericText) {
    struct Case {
        const char* name;
        AppNavigationStyle style;
        PathloomRootViewControllerError expected;
        QString expectedText;
    };
    const Case cases[] = {
        {"primary style without a primary workflow", AppNavigationStyle::primaryWorkflow,
         PathloomRootViewControllerError::missingPrimaryWorkflow(),
         u"The operation couldn\u2019t be completed. "
         u"(PathloomCore.PathloomRootViewControllerError error 0.)"_s},
        {"tab bar without tab ids", AppNavigationStyle::tabBar,
         PathloomRootViewControllerError::missingTabIds(),
         u"The operation couldn\u2019t be completed. "
         u"(PathloomCore.PathloomRootViewControllerError error 1.)"_s},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        AppConfiguration app = configuration(row.style);
        // Each style ignores what the other needs.
        app.primaryWorkflow =
            row.style == AppNavigationStyle::tabBar ? std::optional(app.tasks[0]) : std::nullopt;
        app.tabIds = row.style == AppNavigationStyle::primaryWorkflow
                         ? std::optional(QList<qint64>{1})
                         : std::nullopt;

        const auto plan = NavigationPlan::make(app);

        ASSERT_FALSE(plan);
        EXPECT_EQ(plan.error(), row.expected);
        const Error error = plan.error();
        EXPECT_EQ(error.domain(), u"PathloomCore.PathloomRootViewControllerError"_s);
        EXPECT_EQ(error.code(), row.expected.code());
        EXPECT_EQ(error.localizedDescription(), row.expectedText);
        EXPECT_EQ(NavigationPlan::describe(plan),
                  u"Navigation: cannot be shown: "_s + row.expectedText);
        EXPECT_EQ(NavigationPlan::toJson(plan), (QJsonObject{{u"error"_s, row.expectedText}}));
    }
}

TEST_F(NavigationPlanTest, WritesEachStyleAsJson) {
    AppConfiguration list = configuration(AppNavigationStyle::list);
    AppConfiguration tabs = configuration(AppNavigationStyle::tabBar);
    tabs.tabIds = QList<qint64>{3, 1};
    tabs.initialWorkflow = tabs.tasks[1];
    AppConfiguration selected = tabs;
    selected.initialWorkflow = selected.tasks[0];
    AppConfiguration primary = configuration(AppNavigationStyle::primaryWorkflow);
    primary.primaryWorkflow = primary.tasks[2];
    primary.initialWorkflow = primary.tasks[0];
    const std::pair<AppConfiguration, QJsonObject> cases[] = {
        {list,
         {{u"style"_s, u"list"_s},
          {u"title"_s, u"Field Study"_s},
          {u"workflows"_s, QJsonArray{1, 2, 3, 3}},
          {u"initialWorkflow"_s, QJsonValue()}}},
        {tabs,
         {{u"style"_s, u"tabBar"_s},
          {u"title"_s, u"Field Study"_s},
          {u"tabs"_s,
           QJsonArray{QJsonObject{{u"workflow"_s, 3}, {u"initialWorkflow"_s, 2}},
                      QJsonObject{{u"workflow"_s, 1}, {u"initialWorkflow"_s, QJsonValue()}}}},
          {u"selectedIndex"_s, QJsonValue()}}},
        {selected,
         {{u"style"_s, u"tabBar"_s},
          {u"title"_s, u"Field Study"_s},
          {u"tabs"_s,
           QJsonArray{QJsonObject{{u"workflow"_s, 3}, {u"initialWorkflow"_s, QJsonValue()}},
                      QJsonObject{{u"workflow"_s, 1}, {u"initialWorkflow"_s, QJsonValue()}}}},
          {u"selectedIndex"_s, 1}}},
        {primary,
         {{u"style"_s, u"primaryWorkflow"_s}, {u"workflow"_s, 3}, {u"initialWorkflow"_s, 1}}},
    };
    for (const auto& [app, expected] : cases) {
        const auto plan = NavigationPlan::make(app);
        ASSERT_TRUE(plan);
        EXPECT_EQ(plan->toJson(), expected);
        EXPECT_EQ(NavigationPlan::toJson(plan), expected);
    }
}

}  // namespace
}  // namespace pathloom
