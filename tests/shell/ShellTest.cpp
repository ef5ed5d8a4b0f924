#include "EventLoop.h"
#include "InMemoryKeyStore.h"
#include "Loads.h"
#include "QtPrinting.h"
#include "TestFiles.h"
#include "foundation/DebugConsole.h"
#include "loading/AppConfigurationManager.h"
#include "network/CredentialsStore.h"
#include "network/SecurityStore.h"
#include "platform/SymbolCatalogue.h"
#include "shell/ErrorBanner.h"
#include "shell/LivePreview.h"
#include "shell/PathloomRootViewController.h"
#include "shell/PresentationStack.h"
#include "shell/PrimaryWorkflowStyleViewController.h"
#include "shell/ScreenJournal.h"
#include "shell/TabBarNavigationStyleViewController.h"
#include "taskmodel/ORKTextQuestionResult.h"
#include "taskscreens/NavigationBar.h"
#include "taskscreens/ORKStepViewController.h"
#include "taskscreens/ORKTaskViewController.h"
#include "taskscreens/StepScreenFactory.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QCoreApplication>
#include <QJsonArray>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::runUntil;

// A root screen on a data folder of its own, shown in a phone-sized window, that loads documents
// from files as the desktop app does.
class ShellTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        root.resize(420, 760);
        root.show();
    }

    // Loads `document` and waits until its screen is shown (or its alert is up).
    void show(const QByteArray& document) {
        const QString path = dir.filePath(u"app.json"_s);
        ASSERT_TRUE(test::writeFile(path, document));
        bool settled = false;
        const auto shown = QObject::connect(&root, &PathloomRootViewController::configurationShown,
                                            [&] { settled = true; });
        const auto failed = QObject::connect(&root, &PathloomRootViewController::loadFailed,
                                             [&] { settled = true; });
        root.loadAppConfiguration(AppConfigurationContext::file(path));
        EXPECT_TRUE(runUntil([&] { return settled; }));
        QObject::disconnect(shown);
        QObject::disconnect(failed);
    }

    // Shows primaryOffering(secondary) and waits for its first step; null when it does not show.
    PrimaryWorkflowStyleViewController* showPrimary(const QByteArray& secondary);

    [[nodiscard]] PrimaryWorkflowStyleViewController* topTask() const {
        return qobject_cast<PrimaryWorkflowStyleViewController*>(root.stack().topScreen());
    }

    QTemporaryDir dir;
    AppConfigurationManager manager{
        test::managerSources(dir, std::make_shared<test::InMemoryKeyStore>())};
    std::shared_ptr<QSettings> settings =
        std::make_shared<QSettings>(dir.filePath(u"settings.ini"_s), QSettings::IniFormat);
    std::shared_ptr<CredentialsStore> credentials = std::make_shared<CredentialsStore>(
        std::make_shared<const SecurityStore>(std::make_shared<test::InMemoryKeyStore>()));
    const DebugConsole console;
    const StepScreenFactory steps{console};
    const SymbolCatalogue symbols;
    ScreenJournal journal;
    PathloomRootViewController root{{manager, settings, credentials, steps, symbols, journal}, {}};
};

// A primary workflow whose one list step offers the workflows `secondary` (a JSON array) from its
// bar, among workflows 5 ("Starred", symbol "star"), 6 ("Other") and 7 (no name).
QByteArray primaryOffering(const QByteArray& secondary) {
    return R"({"id":1,"name":"Primary","navigationStyle":"primary_workflow",
      "navigationWorkflow1Id":1,
      "servers":[{"id":1,"url":"https://api.example.com"}],
      "workflows":[
        {"id":1,"identifier":"main","steps":[
          {"type":"list","identifier":"things","items":[],"workflows":)" +
           secondary + R"(},
          {"type":"instructions","identifier":"after"}]},
        {"id":5,"identifier":"starred","name":"Starred","sfSymbolName":"star",
         "steps":[{"type":"instructions","identifier":"s5"}]},
        {"id":6,"identifier":"other","name":"Other",
         "steps":[{"type":"instructions","identifier":"s6"}]},
        {"id":7,"identifier":"unnamed","steps":[{"type":"instructions","identifier":"s7"}]}]})";
}

PrimaryWorkflowStyleViewController* ShellTest::showPrimary(const QByteArray& secondary) {
    show(primaryOffering(secondary));
    PrimaryWorkflowStyleViewController* primary = topTask();
    if (primary == nullptr ||
        !runUntil([&] { return primary->currentStepViewController() != nullptr; })) {
        ADD_FAILURE() << "the primary workflow shows no step";
        return nullptr;
    }
    return primary;
}

TEST_F(ShellTest, OneSecondaryWorkflowOpensAtOnceFromItsOwnSymbol) {
    PrimaryWorkflowStyleViewController* primary = showPrimary(R"([{"id":5}])");
    ASSERT_NE(primary, nullptr);
    QAction* more = primary->navigationBar().rightAction();
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(more->data().toString(), u"star"_s);
    EXPECT_FALSE(more->icon().isNull());
    EXPECT_EQ(more->text(), u"More workflows"_s) << "a symbol-only button says what it does";

    more->trigger();

    ASSERT_TRUE(runUntil([&] { return topTask() != primary; }));
    EXPECT_EQ(topTask()->workflow().id, 5);
    EXPECT_TRUE(journal.events(u"menu"_s).isEmpty());
}

TEST_F(ShellTest, SeveralSecondaryWorkflowsAreOfferedInTheAppsOrderThenCancel) {
    PrimaryWorkflowStyleViewController* primary = showPrimary(R"([{"id":6},{"id":99},{"id":5}])");
    ASSERT_NE(primary, nullptr);
    QAction* more = primary->navigationBar().rightAction();
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(more->data().toString(), u"ellipsis.circle"_s);

    more->trigger();

    auto* menu = primary->findChild<QMenu*>(u"workflowPicker"_s);
    ASSERT_NE(menu, nullptr);
    QStringList entries;
    for (const QAction* action : menu->actions()) {
        entries.append(action->text());
    }
    EXPECT_EQ(entries, (QStringList{u"Starred"_s, u"Other"_s, u"Cancel"_s}));
    menu->actions().at(1)->trigger();
    ASSERT_TRUE(runUntil([&] { return topTask() != primary; }));
    EXPECT_EQ(topTask()->workflow().id, 6);
}

TEST_F(ShellTest, AnUnknownSecondaryWorkflowShowsTheGenericSymbolThatDoesNothing) {
    PrimaryWorkflowStyleViewController* primary = showPrimary(R"([{"id":77}])");
    ASSERT_NE(primary, nullptr);
    QAction* more = primary->navigationBar().rightAction();
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(more->data().toString(), u"ellipsis.circle"_s);

    more->trigger();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    EXPECT_EQ(topTask(), primary);
    EXPECT_EQ(primary->findChild<QMenu*>(u"workflowPicker"_s), nullptr);
}

TEST_F(ShellTest, APrimaryWorkflowThatEndsStartsAgainWithAnEmptySession) {
    PrimaryWorkflowStyleViewController* primary = showPrimary(R"([])");
    ASSERT_NE(primary, nullptr);
    auto answer = std::make_shared<ORKTextQuestionResult>(u"things"_s);
    answer->answer = Value(u"kept until the end"_s);
    primary->currentStepViewController()->addResult(std::move(answer));
    primary->currentStepViewController()->goForward();
    ASSERT_TRUE(runUntil([&] {
        return primary->currentStepViewController() != nullptr &&
               primary->currentStepViewController()->step()->identifier == u"after";
    }));
    EXPECT_TRUE(root.environment().session->jsonRepresentation().value_or(""_ba).contains(
        "kept until the end"_ba));
    EXPECT_TRUE(primary->currentStepViewController()->isNavigationFooterHidden())
        << "the last step of a workflow that cannot be left has no footer";
    EXPECT_TRUE(primary->navigationBar().cancelButton()->isHidden());

    primary->finish(ORKTaskViewControllerFinishReason::completed);

    ASSERT_TRUE(runUntil([&] {
        return primary->currentStepViewController() != nullptr &&
               primary->currentStepViewController()->step()->identifier == u"things";
    }));
    EXPECT_EQ(topTask(), primary) << "the style screen stays";
    EXPECT_EQ(root.environment().session->jsonRepresentation().value_or("{}"_ba), "{}"_ba);
    EXPECT_EQ(journal.events(u"restart"_s).size(), 1);
}

TEST_F(ShellTest, ATabBarWithoutWorkflowsSaysSo) {
    show(R"({"id":2,"name":"Tabs","navigationStyle":"tab_bar","navigationWorkflow1Id":99,
             "servers":[{"id":1,"url":"https://api.example.com"}],
             "workflows":[{"id":1,"identifier":"one","steps":[{"type":"instructions",
                                                               "identifier":"a"}]}]})");
    auto* tabs = qobject_cast<TabBarNavigationStyleViewController*>(root.stack().topScreen());
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabWidget(), nullptr);
    QStringList texts;
    for (const QLabel* label : tabs->findChildren<QLabel*>()) {
        if (label->isVisible()) {
            texts.append(label->text());
        }
    }
    EXPECT_TRUE(texts.contains(u"No workflows to show."_s)) << texts.join(u", "_s).toStdString();
}

// A list of one workflow whose second step is titled `title`.
QByteArray previewed(const QByteArray& title) {
    return R"({"id":1,"name":"Preview","navigationStyle":"list",
      "servers":[{"id":1,"url":"https://api.example.com"}],
      "workflows":[{"id":3,"identifier":"walk","name":"Walk","steps":[
        {"type":"question","identifier":"name","title":"Name",
         "answerFormat":{"_class":"ORKTextAnswerFormat"}},
        {"type":"instructions","identifier":"second","title":")" +
           title + R"("},
        {"type":"instructions","identifier":"third","title":"Third"}]}]})";
}

// Loads the document at `path` and opens its workflow at its first step, as a person choosing it
// from the list would.
void openPreviewedWorkflow(PathloomRootViewController& root, const QString& path) {
    root.loadAppConfiguration(AppConfigurationContext::file(path));
    ASSERT_TRUE(runUntil([&] { return !root.environment().allWorkflows.isEmpty(); }));
    auto* task = root.taskScreens().present(root.environment().allWorkflows.first(), {},
                                            WorkflowRunner::Nesting::topLevel);
    ASSERT_TRUE(runUntil([&] { return task->currentStepViewController() != nullptr; }));
}

TEST_F(ShellTest, ASavedEditShowsAtOnceWhereTheAuthorWasAndABrokenOneSaysWhy) {
    const QString path = dir.filePath(u"preview.json"_s);
    ASSERT_TRUE(test::writeFile(path, previewed("Second")));
    LivePreview preview(root, journal, {path, std::nullopt, std::nullopt, std::nullopt});
    openPreviewedWorkflow(root, path);
    auto answer = std::make_shared<ORKTextQuestionResult>(u"name"_s);
    answer->answer = Value(u"Ada"_s);
    topTask()->currentStepViewController()->addResult(answer);
    topTask()->currentStepViewController()->goForward();
    const auto shownStep = [&] {
        const ORKStepViewController* step =
            topTask() ? topTask()->currentStepViewController() : nullptr;
        return step ? step->step()->identifier + u' ' + step->step()->title.value_or(QString())
                    : QString();
    };
    ASSERT_TRUE(runUntil([&] { return shownStep() == u"second Second"_s; }));

    ASSERT_TRUE(test::writeFile(path, previewed("Second, edited")));

    ASSERT_TRUE(runUntil([&] { return shownStep() == u"second Second, edited"_s; }));
    EXPECT_EQ(topTask()->runner()->lastResult(u"name"_s)->results.size(), 1)
        << "the answers before the step are kept";
    EXPECT_EQ(
        root.environment().session->jsonRepresentation().value_or(QByteArray()).contains("Ada"_ba),
        true)
        << "and in the session, for the templates of later steps";
    const QList<QJsonObject> reloads = journal.events(u"watch"_s);
    ASSERT_EQ(reloads.size(), 1);
    EXPECT_EQ(reloads[0].value(u"kept"_s), QJsonValue(true));

    ASSERT_TRUE(test::writeFile(path, "{ not json"));
    auto* banner = root.findChild<ErrorBanner*>(u"errorBanner"_s);
    ASSERT_NE(banner, nullptr);
    ASSERT_TRUE(runUntil([&] { return banner->isVisible(); }));
    EXPECT_FALSE(banner->text().isEmpty());
    EXPECT_EQ(shownStep(), u"second Second, edited"_s) << "the last good app stays";

    ASSERT_TRUE(test::writeFile(path, previewed("Back")));
    ASSERT_TRUE(runUntil([&] { return shownStep() == u"second Back"_s; }));
    EXPECT_FALSE(banner->isVisible());
    EXPECT_EQ(journal.events(u"banner"_s).size(), 2);
}

TEST_F(ShellTest, AnEditThatRemovesTheShownStepStartsItsWorkflowAgain) {
    const QString path = dir.filePath(u"preview.json"_s);
    ASSERT_TRUE(test::writeFile(path, previewed("Second")));
    LivePreview preview(root, journal, {path, std::nullopt, std::nullopt, std::nullopt});
    openPreviewedWorkflow(root, path);
    topTask()->currentStepViewController()->goForward();
    ASSERT_TRUE(runUntil(
        [&] { return topTask()->currentStepViewController()->step()->identifier == u"second"_s; }));

    QByteArray without = previewed("Second");
    without.replace(R"("identifier":"second")", R"("identifier":"renamed")");
    ASSERT_TRUE(test::writeFile(path, without));

    ASSERT_TRUE(runUntil([&] { return !journal.events(u"watch"_s).isEmpty(); }));
    EXPECT_EQ(journal.events(u"watch"_s)[0].value(u"kept"_s), QJsonValue(false));
    ASSERT_TRUE(runUntil([&] {
        return topTask() && topTask()->currentStepViewController() &&
               topTask()->currentStepViewController()->step()->identifier == u"name"_s;
    }));
}

}  // namespace
}  // namespace pathloom
