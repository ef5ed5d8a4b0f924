#include "taskmodel/ORKNavigableOrderedTask.h"

#include "taskmodel/ORKStep.h"
#include "taskmodel/ORKTaskResult.h"

namespace pathloom {

void ORKNavigableOrderedTask::setNavigationRule(std::shared_ptr<ORKStepNavigationRule> rule,
                                                const QString& triggerStepIdentifier) {
    if (!rule) {
        m_navigationRules.remove(triggerStepIdentifier);
        m_triggerStepIdentifiers.removeOne(triggerStepIdentifier);
        return;
    }
    if (!m_navigationRules.contains(triggerStepIdentifier)) {
        m_triggerStepIdentifiers.append(triggerStepIdentifier);
    }
    m_navigationRules.insert(triggerStepIdentifier, std::move(rule));
}

std::shared_ptr<ORKStepNavigationRule>
ORKNavigableOrderedTask::navigationRuleForTriggerStepIdentifier(
    const QString& triggerStepIdentifier) const {
    return m_navigationRules.value(triggerStepIdentifier);
}

std::shared_ptr<ORKStep> ORKNavigableOrderedTask::stepAfterStep(const ORKStep* step,
                                                                const ORKTaskResult& result) const {
    if (step && indexOfStep(*step)) {
        if (const auto rule = navigationRuleForTriggerStepIdentifier(step->identifier)) {
            const std::optional<QString> destination =
                rule->identifierForDestinationStepWithTaskResult(result);
            if (destination) {
                if (auto next = stepWithIdentifier(*destination)) {
                    return next;
                }
            }
        }
    }
    return ORKOrderedTask::stepAfterStep(step, result);
}

std::shared_ptr<ORKStep> ORKNavigableOrderedTask::stepBeforeStep(
    const ORKStep* step, const ORKTaskResult& result) const {
    if (!step || !indexOfStep(*step)) {
        return nullptr;
    }
    // The last visit counts: a rule may lead back to a step seen earlier on the path.
    for (qsizetype index = result.results.size() - 1; index >= 0; --index) {
        const std::shared_ptr<ORKResult>& visited = result.results[index];
        if (!visited || visited->identifier != step->identifier) {
            continue;
        }
        for (qsizetype earlier = index - 1; earlier >= 0; --earlier) {
            const std::shared_ptr<ORKResult>& previous = result.results[earlier];
            if (auto previousStep = previous ? stepWithIdentifier(previous->identifier) : nullptr) {
                return previousStep;
            }
        }
        return nullptr;
    }
    return ORKOrderedTask::stepBeforeStep(step, result);
}

}  // namespace pathloom
