#pragma once

#include "loading/Workflow.h"

#include <QList>
#include <QString>
#include <optional>

namespace pathloom {

// Finds the workflow a user names on a command line: by its id when the text is a number and a
// workflow has that id, else by its task's identifier.
class WorkflowChoice {
public:
    [[nodiscard]] static std::optional<Workflow> find(const QList<Workflow>& workflows,
                                                      const QString& idOrIdentifier);
};

}  // namespace pathloom
