#pragma once

#include "taskmodel/ORKCollectionResult.h"

namespace pathloom {

// The result of one run of a task: the results of its steps, in the order they were visited.
class ORKTaskResult : public ORKCollectionResult {
public:
    using ORKCollectionResult::ORKCollectionResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKTaskResult>(*this);
    }
};

}  // namespace pathloom
