#pragma once

#include "AnswerSheet.h"
#include "RunJournal.h"
#include "analytics/Analytics.h"
#include "loading/AppConfiguration.h"
#include "session/Session.h"
#include "session/SessionRecorder.h"
#include "steps/DisplayStepController.h"
#include "steps/ListStepController.h"
#include "steps/NetworkStepController.h"
#include "steps/SimulatedNetworkStepController.h"
#include "steps/StepControllerDelegate.h"
#include "taskmodel/ORKTaskRun.h"

#include <QDir>
#include <functional>
#include <memory>
#include <optional>

namespace pathloom {

// Walks one workflow without screens, as a user holding an answer sheet would: each step gets
// the controller its screen would have, answered steps record their answers, list entries are
// chosen and buttons pressed by the sheet, and every other step goes forward. The first error a
// user would see in an alert ends the run as failed. Steps enter the session as they go away and
// the session is emptied when the task finishes, as in the app. Workflows that a button opens
// run nested, in the same way.
//
// Lives on the main thread. Moves on through the main queue, so that no controller is dropped
// while one of its own calls is still running.
class WorkflowRun : public ORKTaskRunDelegate,
                    public StepControllerDelegate,
                    public std::enable_shared_from_this<WorkflowRun> {
public:
    // What every run of one command shares, the nested ones included; it outlives them all.
    struct Environment {
        const AppConfiguration& configuration;
        const AnswerSheet& answers;
        Analytics analytics;
        std::shared_ptr<Session> session;
        // Where capture steps record their files.
        QDir filesDirectory;
        RunJournal& journal;
    };
    using Completion = std::function<void(ORKTaskViewControllerFinishReason)>;

    // `completion` runs once, on the main queue, after the task has finished.
    [[nodiscard]] static std::shared_ptr<WorkflowRun> create(Workflow workflow,
                                                             Environment& environment,
                                                             Completion completion,
                                                             qsizetype depth = 0);

    // Sends "workflow_opened" and enters the first step.
    void start();

    void stepWillAppear(const ORKStep& step) override;
    void stepWillDisappear(const ORKStep& step, const ORKStepResult& result,
                           ORKStepViewControllerNavigationDirection direction) override;
    void didFinish(ORKTaskViewControllerFinishReason reason,
                   const std::optional<Error>& error) override;

    void addResult(std::shared_ptr<ORKResult> result) override;
    void goForward() override;
    void goBackward() override;
    void showError(const Error& error) override;
    void contentLoadingChanged(bool loading) override;
    void buttonActionDidEnd() override;
    // The user says yes to every question.
    void confirm(const Confirmation& confirmation, std::function<void(bool)> answer) override;
    void presentWorkflow(
        const QString& name,
        std::function<void(ORKTaskViewControllerFinishReason)> completion) override;

private:
    WorkflowRun(Workflow workflow, Environment& environment, Completion completion,
                qsizetype depth);

    // Runs `work` later on the main queue, while the run lives and is still on the same visit of
    // the same step.
    void later(std::function<void(WorkflowRun&)> work);
    void act();
    void actOnContent();
    void chooseListEntry();
    void pressButton();
    void recordAnswers();
    void fail(const Error& error);

    Workflow m_workflow;
    Environment& m_environment;
    Completion m_completion;
    const qsizetype m_depth;
    ORKTaskRun m_run;
    SessionRecorder m_recorder;
    // Counts step entries, so that work queued for one visit of a step does not run on a later one.
    quint64 m_visit = 0;
    bool m_awaitingContent = false;
    std::shared_ptr<NetworkStepController> m_network;
    std::optional<SimulatedNetworkStepController> m_simulated;
    std::optional<ListStepController> m_list;
    std::shared_ptr<DisplayStepController> m_display;
    std::shared_ptr<WorkflowRun> m_presented;
};

}  // namespace pathloom
