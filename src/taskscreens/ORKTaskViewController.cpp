#include "taskscreens/ORKTaskViewController.h"

#include "taskmodel/ORKStep.h"
#include "taskscreens/NavigationBar.h"
#include "taskscreens/ORKStepViewController.h"
#include "taskscreens/ORKTaskViewControllerDelegate.h"
#include "taskscreens/StepScreenFactory.h"

#include <QAction>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace pathloom {

ORKTaskViewController::ORKTaskViewController(Workflow workflow,
                                             WorkflowRunner::Environment& environment,
                                             WorkflowRunner::Nesting nesting,
                                             const StepScreenFactory& factory, QWidget* parent)
    : QWidget(parent),
      m_workflow(std::move(workflow)),
      m_environment(environment),
      m_nesting(nesting),
      m_factory(factory),
      m_bar(new NavigationBar(this)),
      m_stepArea(new QVBoxLayout) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addLayout(m_stepArea, 1);
    connect(m_bar, &NavigationBar::backClicked, this, &ORKTaskViewController::goBack);
    connect(m_bar, &NavigationBar::cancelClicked, this, &ORKTaskViewController::cancel);
}

ORKTaskViewController::~ORKTaskViewController() {
    // The children are deleted after this body, while this screen is half gone; an action of the
    // step screen's bar item that goes with them must not make it lay out its bar again.
    if (m_current) {
        disconnect(m_current, nullptr, this, nullptr);
        disconnect(&m_current->navigationItem(), nullptr, this, nullptr);
    }
}

void ORKTaskViewController::setDiscardable(bool discardable) {
    m_discardable = discardable;
    updateNavigationBar();
}

void ORKTaskViewController::start() {
    if (m_runner) {
        return;
    }
    m_runner = WorkflowRunner::create(m_workflow, m_environment, *this, m_nesting);
    m_runner->start();
}

void ORKTaskViewController::restart() {
    m_runner.reset();
    start();
}

void ORKTaskViewController::restartAt(const QString& stepIdentifier, const ORKTaskResult& earlier) {
    m_runner = WorkflowRunner::create(m_workflow, m_environment, *this, m_nesting);
    m_runner->startAt(stepIdentifier, earlier);
}

void ORKTaskViewController::finish(ORKTaskViewControllerFinishReason reason) {
    if (m_runner) {
        m_runner->finish(reason);
        updateNavigationBar();
    }
}

bool ORKTaskViewController::stepViewControllerHasNextStep(const ORKStepViewController&) const {
    return m_runner && m_runner->hasNextStep();
}

void ORKTaskViewController::stepDidEnter(const std::shared_ptr<ORKStep>& step) {
    const bool focusWasHere = hasFocusOrNone();
    ORKStepViewController* screen = m_factory.make(step, *this);
    install(screen);
    setUpFooter(*screen);
    if (m_delegate) {
        m_delegate->taskViewControllerStepWillAppear(*this, *screen);
    }
    stepViewControllerWillAppear(*screen);
    if (!m_covered) {
        screen->viewWillAppear();
    }
    screen->updateTabOrder();
    updateNavigationBar();
    if (focusWasHere) {
        // Return and Escape reach this screen only while the focus is inside it; a step screen
        // that wants the focus on one of its controls takes it when it appears.
        setFocus(Qt::OtherFocusReason);
    }
    if (!m_covered) {
        screen->viewDidAppear();
    }
    Q_EMIT stepShown(screen);
}

void ORKTaskViewController::stepWillLeave(const ORKStep& step,
                                          ORKStepViewControllerNavigationDirection direction) {
    if (!m_current || m_current->step().get() != &step) {
        return;
    }
    m_current->prepareToLeave(direction);
    if (m_delegate) {
        m_delegate->taskViewControllerStepWillDisappear(*this, *m_current, direction);
    }
    if (m_current && !m_covered) {
        m_current->viewWillDisappear();
    }
}

void ORKTaskViewController::runWillFinish(ORKTaskViewControllerFinishReason reason) {
    Q_EMIT willFinish(reason);
}

void ORKTaskViewController::runDidFinish(ORKTaskViewControllerFinishReason reason,
                                         const std::optional<Error>& error) {
    updateNavigationBar();
    // The delegate usually dismisses this screen; it may delete it on the spot.
    const QPointer<ORKTaskViewController> self(this);
    if (m_delegate) {
        m_delegate->taskViewControllerDidFinish(*this, reason, error);
    }
    if (self) {
        Q_EMIT finished(reason);
    }
}

void ORKTaskViewController::viewWillAppear() {
    if (!m_covered) {
        return;
    }
    m_covered = false;
    m_reappearing = true;
    if (m_current) {
        m_current->viewWillAppear();
    }
}

void ORKTaskViewController::viewDidAppear() {
    if (std::exchange(m_reappearing, false) && m_current) {
        m_current->viewDidAppear();
    }
}

void ORKTaskViewController::viewWillDisappear() {
    if (m_covered) {
        return;
    }
    m_covered = true;
    m_reappearing = false;
    if (m_current) {
        m_current->viewWillDisappear();
    }
}

void ORKTaskViewController::stepViewControllerWillAppear(ORKStepViewController&) {}

void ORKTaskViewController::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_current && !m_current->isNavigationFooterHidden()) {
                QAction* next = m_current->continueButtonItem();
                if (next->isVisible() && next->isEnabled()) {
                    next->trigger();
                    return;
                }
            }
            break;
        case Qt::Key_Escape:
            if (m_bar->cancelButton()->isVisibleTo(m_bar)) {
                cancel();
                return;
            }
            break;
        default:
            break;
    }
    QWidget::keyPressEvent(event);
}

void ORKTaskViewController::install(ORKStepViewController* screen) {
    const QPointer<ORKStepViewController> previous = m_current;
    m_current = screen;
    m_stepArea->addWidget(screen);
    // A layout shows a widget added to a shown parent only on a later pass; the step is shown now.
    screen->show();
    connect(screen, &ORKStepViewController::navigationChanged, this,
            &ORKTaskViewController::updateNavigationBar);
    connect(&screen->navigationItem(), &NavigationItem::changed, this,
            &ORKTaskViewController::updateNavigationBar);
    if (previous) {
        // The runner defers every move, so the previous screen is not inside a call of its own;
        // it still goes later, in case a slot of it is on the stack.
        previous->hide();
        m_stepArea->removeWidget(previous);
        disconnect(previous, nullptr, this, nullptr);
        disconnect(&previous->navigationItem(), nullptr, this, nullptr);
        previous->deleteLater();
    }
}

void ORKTaskViewController::setUpFooter(ORKStepViewController& screen) {
    screen.continueButtonItem()->setText(stepViewControllerHasNextStep(screen) ? tr("Next")
                                                                               : tr("Done"));
    screen.skipButtonItem()->setVisible(screen.step()->optional);
}

void ORKTaskViewController::updateNavigationBar() {
    const bool running = m_runner && !m_runner->isFinished();
    if (!m_current) {
        m_bar->setBackVisible(false);
        m_bar->setCancelVisible(running && m_discardable);
        return;
    }
    const bool enabled = running && !m_current->isButtonItemNavigationDisabled();
    m_bar->setTitle(m_current->navigationItem().title());
    m_bar->setBackVisible(enabled && m_runner->hasPreviousStep());
    m_bar->setCancelVisible(enabled && m_discardable);
    m_bar->setRightAction(m_current->navigationItem().rightAction());
}

void ORKTaskViewController::goBack() {
    if (m_current) {
        m_current->goBackward();
    }
}

void ORKTaskViewController::cancel() { finish(ORKTaskViewControllerFinishReason::discarded); }

bool ORKTaskViewController::hasFocusOrNone() const {
    const QWidget* focus = window()->focusWidget();
    return !focus || focus == this || isAncestorOf(focus);
}

}  // namespace pathloom
