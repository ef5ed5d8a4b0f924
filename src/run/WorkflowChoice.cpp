#include "run/WorkflowChoice.h"

namespace pathloom {

std::optional<Workflow> WorkflowChoice::find(const QList<Workflow>& workflows,
                                             const QString& idOrIdentifier) {
    bool isNumber = false;
    const qint64 id = idOrIdentifier.toLongLong(&isNumber);
    if (isNumber) {
        for (const Workflow& workflow : workflows) {
            if (workflow.id == id) {
                return workflow;
            }
        }
    }
    for (const Workflow& workflow : workflows) {
        if (workflow.task->identifier == idOrIdentifier) {
            return workflow;
        }
    }
    return std::nullopt;
}

}  // namespace pathloom
