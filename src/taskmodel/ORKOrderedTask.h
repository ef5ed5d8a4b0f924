#pragma once

#include "taskmodel/ORKTask.h"

#include <QList>
#include <optional>

namespace pathloom {

// A task whose steps come one after the other in a fixed order.
class ORKOrderedTask : public ORKTask {
public:
    explicit ORKOrderedTask(QString identifier = {}, QList<std::shared_ptr<ORKStep>> steps = {});

    // The position of `step` in `steps`: the position of that very object when the task holds
    // it, else the first step with its identifier; nothing when there is neither.
    [[nodiscard]] std::optional<qsizetype> indexOfStep(const ORKStep& step) const;

    [[nodiscard]] std::shared_ptr<ORKStep> stepAfterStep(
        const ORKStep* step, const ORKTaskResult& result) const override;
    // The previous step in order.
    [[nodiscard]] std::shared_ptr<ORKStep> stepBeforeStep(
        const ORKStep* step, const ORKTaskResult& result) const override;
    [[nodiscard]] std::shared_ptr<ORKStep> stepWithIdentifier(
        const QString& identifier) const override;

    QList<std::shared_ptr<ORKStep>> steps;
};

}  // namespace pathloom
