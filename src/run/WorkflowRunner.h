#pragma once

#include "analytics/Analytics.h"
#include "foundation/Error.h"
#include "loading/AppConfiguration.h"
#include "session/Session.h"
#include "session/SessionRecorder.h"
#include "taskmodel/ORKTaskRun.h"

#include <QList>
#include <QString>
#include <expected>
#include <functional>
#include <memory>
#include <optional>

namespace pathloom {

// The non-visual half of a task screen, shared by the screens and the command line: walks one
// workflow with a task run, keeps the session as an app does (emptied when a top-level task ends,
// given back as it was when a task opened over a running one ends), sends "workflow_opened" once
// and "step_opened" on every step entry, and defers each move to the main queue, dropping it when
// the step visit has changed or the run has finished, so that no step controller is dropped while
// one of its own calls runs.
//
// Main thread only. Reports to its front end in order: a step entered, a step about to be left
// (before every move, backwards too, so that a screen adds its answers first), and the end of the
// run, exactly once.
class WorkflowRunner : public ORKTaskRunDelegate,
                       public std::enable_shared_from_this<WorkflowRunner> {
public:
    enum class Nesting { topLevel, overRunningTask };

    // What every runner of one app shares, the nested ones included; it outlives them all.
    struct Environment {
        QList<Workflow> allWorkflows;
        Analytics analytics;
        std::shared_ptr<Session> session;
        // Where the steps of a run record their files.
        QString outputDirectory;
    };

    // The task screen, or the command's step actor. It outlives its runner's calls.
    class FrontEnd {
    public:
        virtual ~FrontEnd() = default;
        // The run entered `step`: show it (or act on it).
        virtual void stepDidEnter(const std::shared_ptr<ORKStep>& step) = 0;
        // The run is about to leave `step`: add its answers now.
        virtual void stepWillLeave(const ORKStep& /*step*/,
                                   ORKStepViewControllerNavigationDirection /*direction*/) {}
        // The task is ending and the session still holds what it collected.
        virtual void runWillFinish(ORKTaskViewControllerFinishReason /*reason*/) {}
        // The run has ended; called once, later on the main queue.
        virtual void runDidFinish(ORKTaskViewControllerFinishReason reason,
                                  const std::optional<Error>& error) = 0;
    };

    [[nodiscard]] static std::shared_ptr<WorkflowRunner> create(Workflow workflow,
                                                                Environment& environment,
                                                                FrontEnd& frontEnd,
                                                                Nesting nesting);

    // Sends "workflow_opened" and enters the first step.
    void start();
    // Sends "workflow_opened", then enters the step `stepIdentifier` with the path `earlier`
    // held before it (see ORKTaskRun::startAt): a workflow taken up again after its document
    // changed. The session records the earlier steps' results again.
    void startAt(const QString& stepIdentifier, const ORKTaskResult& earlier);

    // Adds what the current step recorded to its result, at once.
    void addResult(std::shared_ptr<ORKResult> result);
    void goForward();
    void goBackward();
    // Ends the run at once; a run ends only once.
    void finish(ORKTaskViewControllerFinishReason reason, std::optional<Error> error = {});

    // A runner for the workflow named `name` (exact match; unnamed workflows never match) over this
    // run, with `frontEnd` as its front end; the caller keeps it and starts it. The
    // nested run shares the session and gives it back as it found it when it ends. Fails when no
    // workflow has that name.
    [[nodiscard]] std::expected<std::shared_ptr<WorkflowRunner>, Error> openNested(
        const QString& name, FrontEnd& frontEnd);

    // Runs `work` later on the main queue, while the run lives and still shows the same visit of
    // the same step.
    void later(std::function<void()> work);

    [[nodiscard]] bool hasNextStep() const { return m_run.hasNextStep(); }
    [[nodiscard]] bool hasPreviousStep() const { return m_run.hasPreviousStep(); }
    [[nodiscard]] bool isFinished() const { return m_run.isFinished(); }
    [[nodiscard]] const std::shared_ptr<ORKStep>& currentStep() const {
        return m_run.currentStep();
    }
    [[nodiscard]] std::shared_ptr<const ORKStepResult> currentStepResult() const {
        return m_run.currentStepResult();
    }
    // What a step held when it was last left: for showing earlier answers again.
    [[nodiscard]] std::shared_ptr<const ORKStepResult> lastResult(
        const QString& stepIdentifier) const {
        return m_run.lastResult(stepIdentifier);
    }
    [[nodiscard]] const ORKTaskResult& taskResult() const { return m_run.result(); }
    // Counts step entries: work meant for one visit of a step checks it is still that visit.
    [[nodiscard]] quint64 visit() const { return m_visit; }
    [[nodiscard]] const Workflow& workflow() const { return m_workflow; }
    [[nodiscard]] Nesting nesting() const { return m_nesting; }
    [[nodiscard]] Environment& environment() const { return m_environment; }

    void stepWillAppear(const ORKStep& step) override;
    void stepWillDisappear(const ORKStep& step, const ORKStepResult& result,
                           ORKStepViewControllerNavigationDirection direction) override;
    void didFinish(ORKTaskViewControllerFinishReason reason,
                   const std::optional<Error>& error) override;

private:
    WorkflowRunner(Workflow workflow, Environment& environment, FrontEnd& frontEnd,
                   Nesting nesting);

    void move(ORKStepViewControllerNavigationDirection direction);

    Workflow m_workflow;
    Environment& m_environment;
    FrontEnd& m_frontEnd;
    const Nesting m_nesting;
    ORKTaskRun m_run;
    SessionRecorder m_recorder;
    quint64 m_visit = 0;
};

}  // namespace pathloom
