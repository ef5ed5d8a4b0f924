#pragma once

#include "taskmodel/ORKResult.h"

namespace pathloom {

// The result of a signature step.
class ORKSignatureResult : public ORKResult {
public:
    using ORKResult::ORKResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKSignatureResult>(*this);
    }
};

}  // namespace pathloom
