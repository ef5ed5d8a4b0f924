#pragma once

#include "taskmodel/ORKResult.h"

namespace pathloom {

// The result of a front-facing camera step.
class ORKFrontFacingCameraStepResult : public ORKResult {
public:
    using ORKResult::ORKResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKFrontFacingCameraStepResult>(*this);
    }
};

}  // namespace pathloom
