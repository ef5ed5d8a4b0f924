#pragma once

#include "taskmodel/ORKObject.h"

#include <QString>
#include <memory>

namespace pathloom {

class ORKStep;
class ORKTaskResult;

// A task: the steps a user goes through and the order in which they come. The task screen asks it
// which step comes after or before the one shown, given the results recorded so far.
class ORKTask : public ORKObject {
public:
    // The step after `step` (the first step when `step` is null); null when the task ends there
    // or when `step` is not one of the task's.
    [[nodiscard]] virtual std::shared_ptr<ORKStep> stepAfterStep(
        const ORKStep* step, const ORKTaskResult& result) const = 0;
    // The step to go back to from `step`; null at the start or when `step` is not one of the
    // task's.
    [[nodiscard]] virtual std::shared_ptr<ORKStep> stepBeforeStep(
        const ORKStep* step, const ORKTaskResult& result) const = 0;
    // The first step of the task with that identifier, or null.
    [[nodiscard]] virtual std::shared_ptr<ORKStep> stepWithIdentifier(
        const QString& identifier) const = 0;

    QString identifier;

protected:
    explicit ORKTask(QString identifier = {}) : identifier(std::move(identifier)) {}
};

}  // namespace pathloom
