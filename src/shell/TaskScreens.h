#pragma once

#include "run/WorkflowRunner.h"

#include <QPointer>
#include <functional>
#include <optional>

namespace pathloom {

class ORKStepViewController;
class ORKTaskViewController;
class ORKTaskViewControllerDelegate;
class PresentationStack;
class PrimaryWorkflowStyleViewController;
class ScreenJournal;
class StepScreenFactory;
class SymbolCatalogue;

// Makes and presents the task screens of one shown app: every style screen, and every task
// screen, opens workflows through it, so that they are all built the same way and report to the
// same delegate (the root). Main thread only; it outlives the screens it makes.
class TaskScreens {
public:
    using OnDismiss = std::function<void(ORKTaskViewControllerFinishReason)>;
    using StepObserver = std::function<void(ORKTaskViewController&, ORKStepViewController&)>;

    TaskScreens(WorkflowRunner::Environment& environment, const StepScreenFactory& steps,
                ORKTaskViewControllerDelegate& delegate, PresentationStack& stack,
                ScreenJournal& journal, const SymbolCatalogue& symbols);

    // A task screen for `workflow`, not started. `initialWorkflow` opens over it when it first
    // appears.
    [[nodiscard]] PrimaryWorkflowStyleViewController* make(const Workflow& workflow,
                                                           std::optional<Workflow> initialWorkflow,
                                                           bool discardable, OnDismiss onDismiss,
                                                           WorkflowRunner::Nesting nesting);
    // Where a workflow is taken up again: its step, and the path of results before it.
    struct Resume {
        QString stepIdentifier;
        ORKTaskResult earlier;
    };

    // Makes a discardable task screen for `workflow`, presents it over everything and starts it,
    // at its first step or where `resume` says.
    PrimaryWorkflowStyleViewController* present(const Workflow& workflow, OnDismiss onDismiss,
                                                WorkflowRunner::Nesting nesting,
                                                const std::optional<Resume>& resume = std::nullopt);

    // Hears every step screen that a task screen made here shows, after the journal does.
    void setStepObserver(StepObserver observer) { m_stepObserver = std::move(observer); }

    [[nodiscard]] WorkflowRunner::Environment& environment() const { return m_environment; }
    [[nodiscard]] PresentationStack& stack() const { return m_stack; }
    [[nodiscard]] ScreenJournal& journal() const { return m_journal; }
    [[nodiscard]] const SymbolCatalogue& symbols() const { return m_symbols; }

private:
    // One "step" event: the step and what its bar and footer offer.
    void journalStep(const ORKTaskViewController& task, const ORKStepViewController& step) const;
    // What a step shows after it appeared: the rows of a table ("content", again after each
    // fetch), a PDF's document ("document").
    void journalWhatStepsShowLater(const ORKTaskViewController& task,
                                   ORKStepViewController& step) const;

    WorkflowRunner::Environment& m_environment;
    const StepScreenFactory& m_steps;
    ORKTaskViewControllerDelegate& m_delegate;
    PresentationStack& m_stack;
    ScreenJournal& m_journal;
    const SymbolCatalogue& m_symbols;
    StepObserver m_stepObserver;
};

}  // namespace pathloom
