#pragma once

#include "documents/NavigationRule.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <optional>

namespace pathloom {

// The ways through one workflow's task, as its navigation goes: after a step, the destinations
// its rule may choose (the last rule of a trigger counts; a destination naming no step, or no
// destination at all, falls through to the next step in order), else the next step in order.
// Steps are numbered by their position in the task.
class StepGraph {
public:
    StepGraph(QStringList identifiers, const QList<NavigationRule>& rules);

    // The first step with that identifier, as the task finds it.
    [[nodiscard]] std::optional<qsizetype> indexOf(const QString& identifier) const;
    [[nodiscard]] bool isReachable(qsizetype step) const { return m_reachable.value(step); }
    // Whether some way from the first step passes `earlier` and then comes to `later`. Remembers
    // each step's reach, so it is not const.
    [[nodiscard]] bool canRunBefore(qsizetype earlier, qsizetype later);

private:
    [[nodiscard]] QList<bool> reachFrom(qsizetype step) const;

    QStringList m_identifiers;
    QHash<QString, qsizetype> m_indexes;
    QList<QList<qsizetype>> m_next;
    QList<bool> m_reachable;
    QHash<qsizetype, QList<bool>> m_reach;
};

}  // namespace pathloom
