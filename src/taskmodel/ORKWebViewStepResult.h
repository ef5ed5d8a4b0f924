#pragma once

#include "taskmodel/ORKResult.h"

namespace pathloom {

// The result of a web view step.
class ORKWebViewStepResult : public ORKResult {
public:
    using ORKResult::ORKResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKWebViewStepResult>(*this);
    }
};

}  // namespace pathloom
