#pragma once

#include "taskmodel/ORKResult.h"

namespace pathloom {

// The result of a passcode step.
class ORKPasscodeResult : public ORKResult {
public:
    using ORKResult::ORKResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKPasscodeResult>(*this);
    }
};

}  // namespace pathloom
