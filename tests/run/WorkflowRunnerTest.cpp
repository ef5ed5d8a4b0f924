#include "EventLoop.h"
#include "EventNames.h"
#include "QtPrinting.h"
#include "Workflows.h"
#include "run/WorkflowRunner.h"
#include "taskmodel/ORKStep.h"
#include "taskmodel/ORKTextQuestionResult.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::EventNames;
using test::runUntil;
using test::workflow;
using Reason = ORKTaskViewControllerFinishReason;
using Direction = ORKStepViewControllerNavigationDirection;

// Writes down what the runner tells it, as short texts, and answers each step as a screen would:
// a text answer under the step's identifier added when the step is left.
class RecordingFrontEnd : public WorkflowRunner::FrontEnd {
public:
    void stepDidEnter(const std::shared_ptr<ORKStep>& step) override {
        calls.append(u"enter "_s + step->identifier);
    }
    void stepWillLeave(const ORKStep& step, Direction direction) override {
        calls.append((direction == Direction::forward ? u"leave "_s : u"leave back "_s) +
                     step.identifier);
        auto answer = std::make_shared<ORKTextQuestionResult>(step.identifier);
        answer->answer = Value(u"answer of "_s + step.identifier);
        runner->addResult(std::move(answer));
    }
    void runWillFinish(Reason) override { sessionAtEnd = environment->session->valueProviders(); }
    void runDidFinish(Reason reason, const std::optional<Error>& error) override {
        calls.append(u"finished %1%2"_s.arg(static_cast<int>(reason))
                         .arg(error ? u" "_s + error->localizedDescription() : QString()));
    }

    WorkflowRunner::Environment* environment = nullptr;
    std::shared_ptr<WorkflowRunner> runner;
    QStringList calls;
    Session::Providers sessionAtEnd;
};

class WorkflowRunnerTest : public ::testing::Test {
protected:
    WorkflowRunnerTest() {
        environment.allWorkflows = {workflow(1, u"Main"_s, {u"a"_s, u"b"_s, u"c"_s}),
                                    workflow(2, u"Detail"_s, {u"x"_s})};
        environment.analytics = Analytics({events});
        environment.session = std::make_shared<Session>();
        frontEnd.environment = &environment;
    }

    std::shared_ptr<WorkflowRunner> start(
        const Workflow& started,
        WorkflowRunner::Nesting nesting = WorkflowRunner::Nesting::topLevel) {
        frontEnd.runner = WorkflowRunner::create(started, environment, frontEnd, nesting);
        frontEnd.runner->start();
        return frontEnd.runner;
    }

    bool finished() const { return frontEnd.calls.last().startsWith(u"finished"); }

    std::shared_ptr<EventNames> events = std::make_shared<EventNames>();
    WorkflowRunner::Environment environment;
    RecordingFrontEnd frontEnd;
};

TEST_F(WorkflowRunnerTest, WalksForwardAndBackWithAnswersAddedBeforeEveryMoveAndOneEnd) {
    const auto runner = start(environment.allWorkflows[0]);
    runner->goForward();
    ASSERT_TRUE(runUntil([&] { return runner->currentStep()->identifier == u"b"; }));
    runner->goBackward();
    ASSERT_TRUE(runUntil([&] { return runner->currentStep()->identifier == u"a"; }));
    // Going back keeps what the step held, for a screen to show again.
    const auto kept = runner->lastResult(u"b"_s);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->results.size(), 1);
    for (int i = 0; i < 3; ++i) {
        runner->goForward();
        const QString expected = QStringList{u"b"_s, u"c"_s, u""_s}[i];
        ASSERT_TRUE(runUntil([&] {
            return expected.isEmpty() ? finished() : runner->currentStep()->identifier == expected;
        }));
    }
    runner->finish(Reason::failed);
    QCoreApplication::processEvents();

    EXPECT_EQ(frontEnd.calls,
              (QStringList{u"enter a"_s, u"leave a"_s, u"enter b"_s, u"leave back b"_s,
                           u"enter a"_s, u"leave a"_s, u"enter b"_s, u"leave b"_s, u"enter c"_s,
                           u"leave c"_s, u"finished 2"_s}));
    // Answers left backwards reach the session too; a top-level run empties it at the end.
    EXPECT_EQ(frontEnd.sessionAtEnd.keys().size(), 3);
    EXPECT_TRUE(environment.session->valueProviders().isEmpty());
    EXPECT_EQ(events->names,
              (QStringList{u"workflow_opened"_s, u"step_opened a"_s, u"step_opened b"_s,
                           u"step_opened a"_s, u"step_opened b"_s, u"step_opened c"_s}));
}

TEST_F(WorkflowRunnerTest, MovesAskedTwiceInOneVisitMoveOnce) {
    const auto runner = start(environment.allWorkflows[0]);
    runner->goForward();
    runner->goForward();
    ASSERT_TRUE(runUntil([&] { return runner->currentStep()->identifier == u"b"; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(runner->currentStep()->identifier, u"b");
    EXPECT_TRUE(runner->hasNextStep());
    EXPECT_TRUE(runner->hasPreviousStep());
}

TEST_F(WorkflowRunnerTest, AMoveAskedBeforeTheRunEndsIsDropped) {
    const auto runner = start(environment.allWorkflows[0]);
    runner->goForward();
    runner->finish(Reason::discarded);
    ASSERT_TRUE(runUntil([&] { return finished(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(frontEnd.calls, (QStringList{u"enter a"_s, u"finished 1"_s}));
}

TEST_F(WorkflowRunnerTest, ANestedRunGivesTheSessionBackAsItFoundIt) {
    environment.session->setValueProvider(u"earlier"_s, Value(u"kept"_s));
    const auto outer = start(environment.allWorkflows[0]);

    RecordingFrontEnd nestedFrontEnd;
    nestedFrontEnd.environment = &environment;
    auto nested = outer->openNested(u"Detail"_s, nestedFrontEnd);
    ASSERT_TRUE(nested);
    nestedFrontEnd.runner = *nested;
    (*nested)->start();
    (*nested)->goForward();
    ASSERT_TRUE(runUntil([&] { return nestedFrontEnd.calls.last().startsWith(u"finished"); }));

    EXPECT_TRUE(nestedFrontEnd.sessionAtEnd.contains(u"x"_s));
    EXPECT_EQ(environment.session->valueProviders().keys(), QStringList{u"earlier"_s});
    EXPECT_EQ(outer->currentStep()->identifier, u"a");
}

TEST_F(WorkflowRunnerTest, OpeningAWorkflowByNameMatchesNamesExactly) {
    environment.allWorkflows.append(workflow(3, std::nullopt, {u"y"_s}));
    const auto outer = start(environment.allWorkflows[0]);
    RecordingFrontEnd nestedFrontEnd;
    for (const QString& name : {u"detail"_s, u""_s}) {
        const auto nested = outer->openNested(name, nestedFrontEnd);
        ASSERT_FALSE(nested);
        EXPECT_EQ(nested.error().localizedDescription(), u"Could not find workflow: "_s + name);
    }
    EXPECT_TRUE(nestedFrontEnd.calls.isEmpty());
}

}  // namespace
}  // namespace pathloom
