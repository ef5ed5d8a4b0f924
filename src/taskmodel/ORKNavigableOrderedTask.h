#pragma once

#include "taskmodel/ORKOrderedTask.h"
#include "taskmodel/ORKStepNavigationRule.h"

#include <QHash>
#include <QStringList>

namespace pathloom {

// An ordered task whose steps may lead elsewhere than to the next one: after a trigger step, the
// navigation rule registered for it may name the destination. Without a rule, or when the rule
// names no step of the task, a step leads to the next in order. Rules are shared, not copied.
class ORKNavigableOrderedTask : public ORKOrderedTask {
public:
    using ORKOrderedTask::ORKOrderedTask;

    // Makes `rule` the one rule of the trigger step, replacing an earlier one; a null rule
    // removes it.
    void setNavigationRule(std::shared_ptr<ORKStepNavigationRule> rule,
                           const QString& triggerStepIdentifier);
    [[nodiscard]] std::shared_ptr<ORKStepNavigationRule> navigationRuleForTriggerStepIdentifier(
        const QString& triggerStepIdentifier) const;
    // Every trigger step that has a rule, in the order their rules were first set; a trigger
    // need not name a step of the task.
    [[nodiscard]] const QStringList& triggerStepIdentifiers() const {
        return m_triggerStepIdentifiers;
    }

    // The step that the rule of `step` names for `result`, else the next step in order.
    [[nodiscard]] std::shared_ptr<ORKStep> stepAfterStep(
        const ORKStep* step, const ORKTaskResult& result) const override;
    // The step visited before `step`, so that going back retraces a path on which rules skipped
    // steps. `result` lists the step results of the current path in the order the steps were
    // visited, `step`'s own included; when it holds no result of `step`, the previous step in
    // order.
    [[nodiscard]] std::shared_ptr<ORKStep> stepBeforeStep(
        const ORKStep* step, const ORKTaskResult& result) const override;

private:
    QHash<QString, std::shared_ptr<ORKStepNavigationRule>> m_navigationRules;
    QStringList m_triggerStepIdentifiers;
};

}  // namespace pathloom
