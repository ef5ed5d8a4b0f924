#pragma once

#include "taskmodel/ORKResult.h"

namespace pathloom {

// The result of a video instruction step.
class ORKVideoInstructionStepResult : public ORKResult {
public:
    using ORKResult::ORKResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKVideoInstructionStepResult>(*this);
    }
};

}  // namespace pathloom
