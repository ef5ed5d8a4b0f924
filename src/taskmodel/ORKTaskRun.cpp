#include "taskmodel/ORKTaskRun.h"

#include "taskmodel/ORKStep.h"

namespace pathloom {

ORKTaskRun::ORKTaskRun(std::shared_ptr<const ORKTask> task, ORKTaskRunDelegate& delegate)
    : m_task(std::move(task)), m_delegate(delegate), m_result(m_task->identifier) {}

void ORKTaskRun::start() {
    std::shared_ptr<ORKStep> first = m_task->stepAfterStep(nullptr, m_result);
    if (!first) {
        finish(ORKTaskViewControllerFinishReason::completed);
        return;
    }
    enter(std::move(first));
}

void ORKTaskRun::startAt(const QString& stepIdentifier, const ORKTaskResult& earlier) {
    std::shared_ptr<ORKStep> step = m_task->stepWithIdentifier(stepIdentifier);
    if (!step) {
        start();
        return;
    }
    for (const std::shared_ptr<ORKResult>& result : earlier.results) {
        if (result->identifier == stepIdentifier) {
            break;
        }
        const auto stepResult = std::dynamic_pointer_cast<const ORKStepResult>(result);
        const std::shared_ptr<ORKStep> visited = m_task->stepWithIdentifier(result->identifier);
        if (!stepResult || !visited) {
            continue;
        }
        auto kept = std::make_shared<ORKStepResult>(*stepResult);
        m_result.results.append(kept);
        m_lastResults.insert(kept->identifier, kept);
        m_delegate.stepWillDisappear(*visited, *kept,
                                     ORKStepViewControllerNavigationDirection::forward);
    }
    enter(std::move(step));
}

bool ORKTaskRun::hasNextStep() const {
    return !m_finished && m_currentStep &&
           m_task->stepAfterStep(m_currentStep.get(), m_result) != nullptr;
}

bool ORKTaskRun::hasPreviousStep() const {
    return !m_finished && m_currentStep &&
           m_task->stepBeforeStep(m_currentStep.get(), m_result) != nullptr;
}

std::shared_ptr<const ORKStepResult> ORKTaskRun::currentStepResult() const {
    return mutableCurrentStepResult();
}

std::shared_ptr<const ORKStepResult> ORKTaskRun::lastResult(const QString& stepIdentifier) const {
    return m_lastResults.value(stepIdentifier);
}

void ORKTaskRun::addResult(std::shared_ptr<ORKResult> result) {
    if (const auto stepResult = mutableCurrentStepResult()) {
        stepResult->results.append(std::move(result));
    }
}

void ORKTaskRun::goForward() {
    if (m_finished || !m_currentStep) {
        return;
    }
    // The step goes away first: rules may read what its delegate stores as it goes.
    leave(ORKStepViewControllerNavigationDirection::forward);
    std::shared_ptr<ORKStep> next = m_task->stepAfterStep(m_currentStep.get(), m_result);
    if (!next) {
        finish(ORKTaskViewControllerFinishReason::completed);
        return;
    }
    enter(std::move(next));
}

void ORKTaskRun::goBackward() {
    if (m_finished || !m_currentStep) {
        return;
    }
    std::shared_ptr<ORKStep> previous = m_task->stepBeforeStep(m_currentStep.get(), m_result);
    if (!previous) {
        return;
    }
    leave(ORKStepViewControllerNavigationDirection::reverse);
    // The step left behind is no longer on the path; the previous step's result is visited anew.
    m_result.results.removeLast();
    if (!m_result.results.isEmpty() &&
        m_result.results.last()->identifier == previous->identifier) {
        m_result.results.removeLast();
    }
    enter(std::move(previous));
}

void ORKTaskRun::finish(ORKTaskViewControllerFinishReason reason, std::optional<Error> error) {
    if (m_finished) {
        return;
    }
    m_finished = true;
    m_delegate.didFinish(reason, error);
}

void ORKTaskRun::enter(std::shared_ptr<ORKStep> step) {
    m_currentStep = std::move(step);
    m_result.results.append(std::make_shared<ORKStepResult>(m_currentStep->identifier));
    m_delegate.stepWillAppear(*m_currentStep);
}

void ORKTaskRun::leave(ORKStepViewControllerNavigationDirection direction) {
    const auto stepResult = mutableCurrentStepResult();
    stepResult->endDate = QDateTime::currentDateTimeUtc();
    m_lastResults.insert(stepResult->identifier, stepResult);
    m_delegate.stepWillDisappear(*m_currentStep, *stepResult, direction);
}

std::shared_ptr<ORKStepResult> ORKTaskRun::mutableCurrentStepResult() const {
    return m_result.results.isEmpty()
               ? nullptr
               : std::dynamic_pointer_cast<ORKStepResult>(m_result.results.last());
}

}  // namespace pathloom
