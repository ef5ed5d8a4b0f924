#include "run/SecondaryWorkflows.h"

#include <algorithm>

namespace pathloom {

QList<Workflow> SecondaryWorkflows::candidates(const QList<Workflow>& all,
                                               const QList<qint64>& ids) {
    QList<Workflow> matching;
    std::ranges::copy_if(all, std::back_inserter(matching),
                         [&](const Workflow& workflow) { return ids.contains(workflow.id); });
    return matching;
}

std::optional<Workflow> SecondaryWorkflows::workflowNamed(const QList<Workflow>& all,
                                                          const QString& name) {
    const auto found =
        std::ranges::find_if(all, [&](const Workflow& workflow) { return workflow.name == name; });
    return found != all.end() ? std::optional(*found) : std::nullopt;
}

}  // namespace pathloom
