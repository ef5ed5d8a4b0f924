#pragma once

#include "run/AnswerSheet.h"
#include "run/CapturedFiles.h"
#include "run/OutboxMailComposer.h"
#include "run/RunJournal.h"
#include "run/StepController.h"
#include "run/WorkflowRunner.h"
#include "steps/StepControllerDelegate.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace pathloom {

// Walks one workflow without screens, as a user holding an answer sheet would: each step gets the
// controller its screen would have, questions, forms and captures record the sheet's answers, list
// entries are chosen and buttons pressed by the sheet, and every other step goes forward. The
// first error a user would see in an alert ends the run as failed. Workflows that a button opens
// run nested, each with an actor of its own.
//
// Lives on the main thread; acts on a step later on the main queue, while the step is still shown.
class CommandStepActor : public WorkflowRunner::FrontEnd, public StepControllerDelegate {
public:
    // What every actor of one command shares, the nested ones included; it outlives them all.
    struct Context {
        const AnswerSheet& answers;
        RunJournal& journal;
        CapturedFiles& files;
        // Takes the e-mails; each is named after its step.
        OutboxMailComposer& outbox;
        StepController::Services services;
        // Whether a required question without an answer ends the run instead of going on.
        bool strict = false;
    };
    using Completion = std::function<void(ORKTaskViewControllerFinishReason)>;

    // `completion` runs once, on the main queue, when the actor's task has finished.
    CommandStepActor(Context& context, Completion completion, qsizetype depth = 0);

    // Runs `workflow` at the top level.
    void start(const Workflow& workflow, WorkflowRunner::Environment& environment);

    void stepDidEnter(const std::shared_ptr<ORKStep>& step) override;
    void runWillFinish(ORKTaskViewControllerFinishReason reason) override;
    void runDidFinish(ORKTaskViewControllerFinishReason reason,
                      const std::optional<Error>& error) override;

    void addResult(std::shared_ptr<ORKResult> result) override;
    void goForward() override;
    void goBackward() override;
    void showError(const Error& error) override;
    void contentLoadingChanged(bool loading) override;
    void buttonActionDidEnd() override;
    void documentDidLoad(const QUrl& url, const QByteArray& bytes) override;
    // The user says yes to every question.
    void confirm(const Confirmation& confirmation, std::function<void(bool)> answer) override;
    void presentWorkflow(const QString& name, Completion completion) override;

private:
    void act();
    void chooseListEntry();
    void pressNextButton();
    void answerQuestion();
    void recordCapture();
    void scanPages();
    void fail(const Error& error);

    Context& m_context;
    Completion m_completion;
    const qsizetype m_depth;
    std::shared_ptr<WorkflowRunner> m_runner;
    StepController m_controller;
    bool m_awaitingContent = false;
    // The labels of the page's buttons still to press, in order.
    QStringList m_labels;
    std::unique_ptr<CommandStepActor> m_nested;
};

}  // namespace pathloom
