#pragma once

#include "taskmodel/ORKQuestionResult.h"

namespace pathloom {

// The answer to a socio-economic ladder question: the rung, as a number.
class ORKSESQuestionResult : public ORKQuestionResult {
public:
    using ORKQuestionResult::ORKQuestionResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKSESQuestionResult>(*this);
    }
};

}  // namespace pathloom
