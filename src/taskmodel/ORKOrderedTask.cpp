#include "taskmodel/ORKOrderedTask.h"

#include "taskmodel/ORKStep.h"

namespace pathloom {

ORKOrderedTask::ORKOrderedTask(QString identifier, QList<std::shared_ptr<ORKStep>> steps)
    : ORKTask(std::move(identifier)), steps(std::move(steps)) {}

std::optional<qsizetype> ORKOrderedTask::indexOfStep(const ORKStep& step) const {
    // Identity first: a task may hold two steps with one identifier, and each must still find
    // its own place, or moving forward from the second would jump back to the first.
    for (qsizetype index = 0; index < steps.size(); ++index) {
        if (steps[index].get() == &step) {
            return index;
        }
    }
    for (qsizetype index = 0; index < steps.size(); ++index) {
        if (steps[index] && steps[index]->identifier == step.identifier) {
            return index;
        }
    }
    return std::nullopt;
}

std::shared_ptr<ORKStep> ORKOrderedTask::stepAfterStep(const ORKStep* step,
                                                       const ORKTaskResult&) const {
    if (!step) {
        return steps.value(0);
    }
    const std::optional<qsizetype> index = indexOfStep(*step);
    return index ? steps.value(*index + 1) : nullptr;
}

std::shared_ptr<ORKStep> ORKOrderedTask::stepBeforeStep(const ORKStep* step,
                                                        const ORKTaskResult&) const {
    const std::optional<qsizetype> index = step ? indexOfStep(*step) : std::nullopt;
    return index ? steps.value(*index - 1) : nullptr;
}

std::shared_ptr<ORKStep> ORKOrderedTask::stepWithIdentifier(const QString& identifier) const {
    for (const std::shared_ptr<ORKStep>& step : steps) {
        if (step && step->identifier == identifier) {
            return step;
        }
    }
    return nullptr;
}

}  // namespace pathloom
