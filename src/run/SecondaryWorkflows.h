#pragma once

#include "loading/Workflow.h"

#include <QList>
#include <QString>
#include <optional>

namespace pathloom {

// How a running workflow finds the other workflows it may open: those a step offers by id, and
// the one a page names.
class SecondaryWorkflows {
public:
    // The workflows of `all` whose id is among `ids`, in the order of `all`: the order of the ids
    // does not matter, ids without a workflow are ignored, and workflows that share an id each
    // count.
    [[nodiscard]] static QList<Workflow> candidates(const QList<Workflow>& all,
                                                    const QList<qint64>& ids);
    // The first workflow whose name is exactly `name`; unnamed workflows never match.
    [[nodiscard]] static std::optional<Workflow> workflowNamed(const QList<Workflow>& all,
                                                               const QString& name);
};

}  // namespace pathloom
