#pragma once

#include "taskmodel/ORKCollectionResult.h"

namespace pathloom {

// The result of one step: its child results are what the step recorded, for example one question
// result per form item.
class ORKStepResult : public ORKCollectionResult {
public:
    explicit ORKStepResult(QString stepIdentifier = {},
                           QList<std::shared_ptr<ORKResult>> results = {})
        : ORKCollectionResult(std::move(stepIdentifier)) {
        this->results = std::move(results);
    }

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKStepResult>(*this);
    }
};

}  // namespace pathloom
