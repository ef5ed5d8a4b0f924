#include "StepGraph.h"

namespace pathloom {

namespace {

enum class Condition { always, sometimes, never };

// When a destination rule can choose its step: with no key path, value or operand it always
// does; with a key path, a value and the equality operand it may; otherwise it never does.
Condition conditionOf(const NavigationDestinationRule& rule) {
    if (!rule.propertyKeyPath) {
        return rule.value || rule.operand ? Condition::never : Condition::always;
    }
    return rule.value && rule.operand == NavigationRuleOperand::isEqual ? Condition::sometimes
                                                                        : Condition::never;
}

}  // namespace

StepGraph::StepGraph(QStringList identifiers, const QList<NavigationRule>& rules)
    : m_identifiers(std::move(identifiers)) {
    for (qsizetype i = 0; i < m_identifiers.size(); ++i) {
        m_indexes.insert(m_identifiers[i], m_indexes.value(m_identifiers[i], i));
    }
    QHash<QString, const NavigationRule*> ruleFor;
    for (const NavigationRule& rule : rules) {
        ruleFor.insert(rule.fromStepIdentifier, &rule);
    }

    m_next.resize(m_identifiers.size());
    for (qsizetype step = 0; step < m_identifiers.size(); ++step) {
        bool fallsThrough = true;
        if (const NavigationRule* rule = ruleFor.value(m_identifiers[step])) {
            for (const NavigationDestinationRule& destination : rule->destinationsRules) {
                const Condition condition = conditionOf(destination);
                if (condition == Condition::never) {
                    continue;
                }
                const std::optional<qsizetype> to = indexOf(destination.toStepIdentifier);
                if (to) {
                    m_next[step].append(*to);
                }
                if (condition == Condition::always) {
                    fallsThrough = !to;
                    break;
                }
            }
        }
        if (fallsThrough && step + 1 < m_identifiers.size()) {
            m_next[step].append(step + 1);
        }
    }
    m_reachable = m_identifiers.isEmpty() ? QList<bool>() : reachFrom(0);
    if (!m_reachable.isEmpty()) {
        m_reachable[0] = true;
    }
}

std::optional<qsizetype> StepGraph::indexOf(const QString& identifier) const {
    const auto found = m_indexes.constFind(identifier);
    return found == m_indexes.constEnd() ? std::nullopt : std::optional(*found);
}

bool StepGraph::canRunBefore(qsizetype earlier, qsizetype later) {
    if (!isReachable(earlier)) {
        return false;
    }
    auto reach = m_reach.constFind(earlier);
    if (reach == m_reach.constEnd()) {
        reach = m_reach.insert(earlier, reachFrom(earlier));
    }
    return reach->value(later);
}

QList<bool> StepGraph::reachFrom(qsizetype step) const {
    QList<bool> reached(m_identifiers.size(), false);
    QList<qsizetype> pending = m_next.value(step);
    while (!pending.isEmpty()) {
        const qsizetype next = pending.takeLast();
        if (!reached[next]) {
            reached[next] = true;
            pending.append(m_next[next]);
        }
    }
    return reached;
}

}  // namespace pathloom
