#include "run/WorkflowRunner.h"

#include "analytics/AppEvent.h"
#include "foundation/DispatchQueue.h"
#include "run/SecondaryWorkflows.h"
#include "steps/WorkflowPresentationError.h"
#include "taskmodel/ORKStep.h"

namespace pathloom {

std::shared_ptr<WorkflowRunner> WorkflowRunner::create(Workflow workflow, Environment& environment,
                                                       FrontEnd& frontEnd, Nesting nesting) {
    return std::shared_ptr<WorkflowRunner>(
        new WorkflowRunner(std::move(workflow), environment, frontEnd, nesting));
}

WorkflowRunner::WorkflowRunner(Workflow workflow, Environment& environment, FrontEnd& frontEnd,
                               Nesting nesting)
    : m_workflow(std::move(workflow)),
      m_environment(environment),
      m_frontEnd(frontEnd),
      m_nesting(nesting),
      m_run(m_workflow.task, *this),
      m_recorder(environment.session, nesting == Nesting::topLevel
                                          ? SessionRecorder::AfterFinish::empty
                                          : SessionRecorder::AfterFinish::restored) {}

void WorkflowRunner::start() {
    m_environment.analytics.log(AppEvent::workflowOpened(m_workflow.id));
    m_run.start();
}

void WorkflowRunner::startAt(const QString& stepIdentifier, const ORKTaskResult& earlier) {
    m_environment.analytics.log(AppEvent::workflowOpened(m_workflow.id));
    m_run.startAt(stepIdentifier, earlier);
}

void WorkflowRunner::addResult(std::shared_ptr<ORKResult> result) {
    m_run.addResult(std::move(result));
}

void WorkflowRunner::goForward() {
    later([this] { move(ORKStepViewControllerNavigationDirection::forward); });
}

void WorkflowRunner::goBackward() {
    later([this] { move(ORKStepViewControllerNavigationDirection::reverse); });
}

void WorkflowRunner::finish(ORKTaskViewControllerFinishReason reason, std::optional<Error> error) {
    m_run.finish(reason, std::move(error));
}

std::expected<std::shared_ptr<WorkflowRunner>, Error> WorkflowRunner::openNested(
    const QString& name, FrontEnd& frontEnd) {
    const std::optional<Workflow> workflow =
        SecondaryWorkflows::workflowNamed(m_environment.allWorkflows, name);
    if (!workflow) {
        return std::unexpected(WorkflowPresentationError::workflowNotFound(name));
    }
    return create(*workflow, m_environment, frontEnd, Nesting::overRunningTask);
}

void WorkflowRunner::later(std::function<void()> work) {
    DispatchQueue::main()->async(
        [weakSelf = weak_from_this(), visit = m_visit, work = std::move(work)] {
            const auto self = weakSelf.lock();
            if (self && !self->m_run.isFinished() && self->m_visit == visit) {
                work();
            }
        });
}

void WorkflowRunner::stepWillAppear(const ORKStep& step) {
    ++m_visit;
    m_environment.analytics.log(AppEvent::stepOpened(m_workflow.id, step.identifier));
    m_frontEnd.stepDidEnter(m_run.currentStep());
}

void WorkflowRunner::stepWillDisappear(const ORKStep& step, const ORKStepResult& result,
                                       ORKStepViewControllerNavigationDirection direction) {
    m_recorder.stepWillDisappear(step, result, direction);
}

void WorkflowRunner::didFinish(ORKTaskViewControllerFinishReason reason,
                               const std::optional<Error>& error) {
    m_frontEnd.runWillFinish(reason);
    m_recorder.didFinish(reason, error);
    DispatchQueue::main()->async([weakSelf = weak_from_this(), reason, error] {
        if (const auto self = weakSelf.lock()) {
            self->m_frontEnd.runDidFinish(reason, error);
        }
    });
}

void WorkflowRunner::move(ORKStepViewControllerNavigationDirection direction) {
    const std::shared_ptr<ORKStep> step = m_run.currentStep();
    if (!step) {
        return;
    }
    m_frontEnd.stepWillLeave(*step, direction);
    // The front end may have ended the run while adding its answers.
    if (m_run.isFinished()) {
        return;
    }
    if (direction == ORKStepViewControllerNavigationDirection::forward) {
        m_run.goForward();
    } else {
        m_run.goBackward();
    }
}

}  // namespace pathloom
