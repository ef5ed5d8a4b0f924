#include "taskmodel/ORKTaskRun.h"

#include "QtPrinting.h"
#include "session/ResultEqualityStepNavigationRule.h"
#include "session/SessionRecorder.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKInstructionStep.h"
#include "taskmodel/ORKNavigableOrderedTask.h"
#include "taskmodel/ORKTextQuestionResult.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

// Records what the run tells, in order, as short texts.
class EventLog : public ORKTaskRunDelegate {
public:
    void stepWillAppear(const ORKStep& step) override {
        events.append(u"appear "_s + step.identifier);
    }
    void stepWillDisappear(const ORKStep& step, const ORKStepResult&,
                           ORKStepViewControllerNavigationDirection direction) override {
        events.append((direction == ORKStepViewControllerNavigationDirection::forward
                           ? u"forward "_s
                           : u"back "_s) +
                      step.identifier);
    }
    void didFinish(ORKTaskViewControllerFinishReason reason, const std::optional<Error>&) override {
        events.append(u"finish "_s + QString::number(int(reason)));
    }
    QStringList events;
};

std::shared_ptr<ORKNavigableOrderedTask> taskOf(const QStringList& identifiers) {
    QList<std::shared_ptr<ORKStep>> steps;
    for (const QString& identifier : identifiers) {
        steps.append(std::make_shared<ORKInstructionStep>(identifier));
    }
    return std::make_shared<ORKNavigableOrderedTask>(u"task"_s, steps);
}

QStringList path(const ORKTaskResult& result) {
    QStringList identifiers;
    for (const auto& step : result.results) {
        identifiers.append(step->identifier);
    }
    return identifiers;
}

TEST(ORKTaskRun, WalksForwardInOrderAndCompletesAfterTheLastStep) {
    EventLog log;
    ORKTaskRun run(taskOf({u"a"_s, u"b"_s}), log);
    run.start();
    run.goForward();
    run.goForward();

    EXPECT_EQ(log.events, (QStringList{u"appear a"_s, u"forward a"_s, u"appear b"_s, u"forward b"_s,
                                       u"finish 2"_s}));
    EXPECT_TRUE(run.isFinished());
    EXPECT_EQ(path(run.result()), (QStringList{u"a"_s, u"b"_s}));
}

TEST(ORKTaskRun, CompletesATaskWithoutStepsAtOnce) {
    EventLog log;
    ORKTaskRun run(taskOf({}), log);
    run.start();
    EXPECT_EQ(log.events, QStringList{u"finish 2"_s});
}

TEST(ORKTaskRun, FollowsRulesAndGoesBackAlongThePathTaken) {
    auto session = std::make_shared<Session>();
    auto answer = std::make_shared<ORKTextQuestionResult>(u"q"_s);
    answer->answer = u"skip"_s;
    session->setValueProvider(u"q"_s, Value(answer));
    auto task = taskOf({u"a"_s, u"b"_s, u"c"_s, u"d"_s});
    task->setNavigationRule(
        std::make_shared<ResultEqualityStepNavigationRule>(
            session, QList<NavigationDestinationRule>{{u"d"_s, u"q.answer"_s,
                                                       NavigationRuleOperand::isEqual, u"skip"_s}}),
        u"a"_s);
    EventLog log;
    ORKTaskRun run(task, log);
    run.start();
    run.goForward();
    ASSERT_EQ(run.currentStep()->identifier, u"d"_s);

    run.goBackward();

    EXPECT_EQ(run.currentStep()->identifier, u"a"_s)
        << "back to the step visited before, not the one before in order";
    EXPECT_EQ(path(run.result()), QStringList{u"a"_s});
    run.goBackward();
    EXPECT_EQ(run.currentStep()->identifier, u"a"_s) << "nothing before the first step";
}

TEST(ORKTaskRun, ARuleReadsWhatItsTriggerStepRecorded) {
    auto session = std::make_shared<Session>();
    auto task = taskOf({u"q"_s, u"b"_s, u"c"_s});
    task->setNavigationRule(
        std::make_shared<ResultEqualityStepNavigationRule>(
            session, QList<NavigationDestinationRule>{{u"c"_s, u"q.answer"_s,
                                                       NavigationRuleOperand::isEqual, u"skip"_s}}),
        u"q"_s);
    SessionRecorder recorder(session);
    ORKTaskRun run(task, recorder);
    run.start();
    auto answer = std::make_shared<ORKTextQuestionResult>(u"q"_s);
    answer->answer = u"skip"_s;
    run.addResult(answer);

    run.goForward();

    EXPECT_EQ(run.currentStep()->identifier, u"c"_s)
        << "the answer is in the session before the rule is asked";
}

TEST(SessionRecorder, StoresWhatStepsRecordedAndClearsTheSessionWhenTheTaskEnds) {
    auto session = std::make_shared<Session>();
    SessionRecorder recorder(session);
    ORKTaskRun run(taskOf({u"q1"_s, u"end"_s}), recorder);
    run.start();
    auto answer = std::make_shared<ORKTextQuestionResult>(u"q1"_s);
    answer->answer = u"yes"_s;
    run.addResult(answer);
    run.addResult(std::make_shared<ORKFileResult>(u"photo"_s));
    run.addResult(std::make_shared<ORKResult>(u"plain"_s));

    run.goForward();

    EXPECT_EQ(session->value(u"q1.answer"_s), Value(u"yes"_s));
    EXPECT_EQ(session->binaryProviders().size(), 1);
    EXPECT_FALSE(session->valueProviders().contains(u"plain"_s))
        << "results the session cannot hold are left out";

    run.finish(ORKTaskViewControllerFinishReason::discarded);
    EXPECT_TRUE(session->valueProviders().isEmpty());
}

TEST(SessionRecorder, AWorkflowOpenedOverAnotherGivesItsSessionBack) {
    auto session = std::make_shared<Session>();
    session->setValueProvider(u"underneath"_s, Value(u"kept"_s));
    SessionRecorder recorder(session, SessionRecorder::AfterFinish::restored);
    ORKTaskRun run(taskOf({u"q1"_s, u"end"_s}), recorder);
    run.start();
    auto answer = std::make_shared<ORKTextQuestionResult>(u"q1"_s);
    answer->answer = u"yes"_s;
    run.addResult(answer);
    run.goForward();
    ASSERT_EQ(session->value(u"q1.answer"_s), Value(u"yes"_s)) << "the session is shared";

    run.goForward();

    ASSERT_TRUE(run.isFinished());
    EXPECT_EQ(session->valueProviders().keys(), QStringList{u"underneath"_s});
    EXPECT_EQ(session->value(u"underneath"_s), Value(u"kept"_s));
}

}  // namespace
}  // namespace pathloom
