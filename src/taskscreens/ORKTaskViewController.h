#pragma once

#include "loading/Workflow.h"
#include "run/WorkflowRunner.h"
#include "taskscreens/ORKStepViewController.h"
#include "taskscreens/ScreenAppearance.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QVBoxLayout;

namespace pathloom {

class NavigationBar;
class ORKTaskViewControllerDelegate;
class StepScreenFactory;

// The screen of a running workflow: the navigation bar over the current step's screen. It is the
// front end of a WorkflowRunner, which walks the task, records the session and sends analytics;
// this screen shows each step the runner enters with the screen the factory makes for it, tells
// its delegate, and turns back, cancel, Return and Escape into runner calls.
//
// Keys: Return or Enter presses continue unless the focused control answers it; Escape cancels
// where Cancel is shown.
//
// Appearance: a step screen hears will/did appear when its step is entered and will disappear
// before its step is left, while the task screen shows. Once the task screen has been told it
// will disappear (covered by another screen), its step screen hears nothing until the task screen
// is told it will appear again; then the step screen hears it too. The first appearance of the
// task screen is the first step's own.
//
// Main thread only. The factory and the environment outlive the screen; the delegate is not owned
// and must outlive the run or be reset.
class ORKTaskViewController : public QWidget,
                              public ScreenAppearance,
                              public WorkflowRunner::FrontEnd {
    Q_OBJECT

public:
    ORKTaskViewController(Workflow workflow, WorkflowRunner::Environment& environment,
                          WorkflowRunner::Nesting nesting, const StepScreenFactory& factory,
                          QWidget* parent = nullptr);
    ~ORKTaskViewController() override;

    void setDelegate(ORKTaskViewControllerDelegate* delegate) { m_delegate = delegate; }
    [[nodiscard]] ORKTaskViewControllerDelegate* delegate() const { return m_delegate; }
    // Whether the user may abandon the task: only then is Cancel shown, which ends the run
    // "discarded".
    void setDiscardable(bool discardable);
    [[nodiscard]] bool isDiscardable() const { return m_discardable; }

    // Creates the runner and starts it: "workflow_opened", then the first step. Once only.
    void start();
    // Runs the workflow again from its first step, with a new run: for a workflow that must not
    // leave the screen when it ends.
    void restart();
    // Runs the workflow anew from the step `stepIdentifier`, with the path `earlier` before it
    // (see WorkflowRunner::startAt), whether or not it ran before: for a workflow taken up again
    // after its document changed.
    void restartAt(const QString& stepIdentifier, const ORKTaskResult& earlier);
    // Ends the run (the cancel path); the end is reported later, once.
    void finish(ORKTaskViewControllerFinishReason reason);

    // Null before start().
    [[nodiscard]] const std::shared_ptr<WorkflowRunner>& runner() const { return m_runner; }
    [[nodiscard]] const Workflow& workflow() const { return m_workflow; }
    [[nodiscard]] NavigationBar& navigationBar() const { return *m_bar; }
    // The screen of the step shown now; null before the first step.
    [[nodiscard]] ORKStepViewController* currentStepViewController() const { return m_current; }
    [[nodiscard]] bool stepViewControllerHasNextStep(const ORKStepViewController& step) const;

    void stepDidEnter(const std::shared_ptr<ORKStep>& step) override;
    void stepWillLeave(const ORKStep& step,
                       ORKStepViewControllerNavigationDirection direction) override;
    void runWillFinish(ORKTaskViewControllerFinishReason reason) override;
    void runDidFinish(ORKTaskViewControllerFinishReason reason,
                      const std::optional<Error>& error) override;

    void viewWillAppear() override;
    void viewDidAppear() override;
    void viewWillDisappear() override;

Q_SIGNALS:
    // A step's screen is shown, its bar and footer set up: for journals.
    void stepShown(ORKStepViewController* stepViewController);
    // The task is ending and the session still holds what it collected.
    void willFinish(ORKTaskViewControllerFinishReason reason);
    // The run has ended and the delegate has been told.
    void finished(ORKTaskViewControllerFinishReason reason);

protected:
    // A subclass's turn to adjust a step screen, after the delegate's.
    virtual void stepViewControllerWillAppear(ORKStepViewController& stepViewController);

    void keyPressEvent(QKeyEvent* event) override;

private:
    void install(ORKStepViewController* screen);
    void setUpFooter(ORKStepViewController& screen);
    void updateNavigationBar();
    void goBack();
    void cancel();
    // Whether the focus of the window is in this screen, or nowhere.
    [[nodiscard]] bool hasFocusOrNone() const;

    Workflow m_workflow;
    WorkflowRunner::Environment& m_environment;
    const WorkflowRunner::Nesting m_nesting;
    const StepScreenFactory& m_factory;
    ORKTaskViewControllerDelegate* m_delegate = nullptr;
    bool m_discardable = false;
    NavigationBar* m_bar;
    QVBoxLayout* m_stepArea;
    QPointer<ORKStepViewController> m_current;
    std::shared_ptr<WorkflowRunner> m_runner;
    bool m_covered = false;
    bool m_reappearing = false;
};

}  // namespace pathloom
