#pragma once

#include "taskmodel/ORKObject.h"

#include <QString>
#include <optional>

namespace pathloom {

class ORKTaskResult;

// Chooses the step that follows a trigger step of a navigable task (ORKNavigableOrderedTask).
// Subclasses decide how; a rule that answers nothing leaves the task to its order.
class ORKStepNavigationRule : public ORKObject {
public:
    // The identifier of the step to go to after the trigger step, given the task's results.
    [[nodiscard]] virtual std::optional<QString> identifierForDestinationStepWithTaskResult(
        const ORKTaskResult& taskResult) const = 0;

protected:
    ORKStepNavigationRule() = default;
};

}  // namespace pathloom
