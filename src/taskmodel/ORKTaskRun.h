#pragma once

#include "foundation/Error.h"
#include "taskmodel/ORKStepResult.h"
#include "taskmodel/ORKTask.h"
#include "taskmodel/ORKTaskResult.h"

#include <QHash>
#include <memory>
#include <optional>

namespace pathloom {

// How a task run ended.
enum class ORKTaskViewControllerFinishReason {
    saved = 0,
    discarded = 1,
    completed = 2,
    failed = 3,
    earlyTermination = 4
};

// Which way the run moves when a step goes away.
enum class ORKStepViewControllerNavigationDirection { forward = 0, reverse = 1 };

// Told what a task run does, in order. Every notification runs on the thread that drives the run.
class ORKTaskRunDelegate {
public:
    virtual ~ORKTaskRunDelegate() = default;
    virtual void stepWillAppear(const ORKStep& /*step*/) {}
    // `result` is the step's result, with what the step recorded, as it goes away.
    virtual void stepWillDisappear(const ORKStep& /*step*/, const ORKStepResult& /*result*/,
                                   ORKStepViewControllerNavigationDirection /*direction*/) {}
    virtual void didFinish(ORKTaskViewControllerFinishReason /*reason*/,
                           const std::optional<Error>& /*error*/) {}
};

// The non-visual half of a task screen: walks a task step by step, one step result per visited
// step, forward by the task's rules and backward along the path taken, and tells its delegate.
// The task result lists the results of the current path in visiting order.
class ORKTaskRun {
public:
    ORKTaskRun(std::shared_ptr<const ORKTask> task, ORKTaskRunDelegate& delegate);

    // Enters the first step; a task without steps completes at once.
    void start();
    // Enters the step `stepIdentifier` at once, as a run taken up again after its task changed:
    // the step results `earlier` holds for the steps before it on its path, where the task still
    // has those steps, become this run's path (going back walks them) and what they prefill, and
    // each is told to the delegate as left forward, so that whoever records results has them. A
    // task without that step starts at its first step.
    void startAt(const QString& stepIdentifier, const ORKTaskResult& earlier);
    [[nodiscard]] const std::shared_ptr<ORKStep>& currentStep() const { return m_currentStep; }
    [[nodiscard]] const ORKTaskResult& result() const { return m_result; }
    [[nodiscard]] bool isFinished() const { return m_finished; }
    // Whether the task names a step after the current one, given the results so far.
    [[nodiscard]] bool hasNextStep() const;
    [[nodiscard]] bool hasPreviousStep() const;
    // The result of the step shown now; null before the first step.
    [[nodiscard]] std::shared_ptr<const ORKStepResult> currentStepResult() const;
    // The step result that step had when it was last left, either way; kept after going back so
    // that a screen can show what was answered there. Null for a step not left yet.
    [[nodiscard]] std::shared_ptr<const ORKStepResult> lastResult(
        const QString& stepIdentifier) const;

    // Adds what the current step recorded to its step result.
    void addResult(std::shared_ptr<ORKResult> result);
    // Leaves the current step for the one its rule names, else the next; after the last step the
    // run completes.
    void goForward();
    // Goes back to the step visited before; nothing happens on the first step.
    void goBackward();
    void finish(ORKTaskViewControllerFinishReason reason,
                std::optional<Error> error = std::nullopt);

private:
    void enter(std::shared_ptr<ORKStep> step);
    void leave(ORKStepViewControllerNavigationDirection direction);
    [[nodiscard]] std::shared_ptr<ORKStepResult> mutableCurrentStepResult() const;

    std::shared_ptr<const ORKTask> m_task;
    ORKTaskRunDelegate& m_delegate;
    std::shared_ptr<ORKStep> m_currentStep;
    ORKTaskResult m_result;
    QHash<QString, std::shared_ptr<const ORKStepResult>> m_lastResults;
    bool m_finished = false;
};

}  // namespace pathloom
