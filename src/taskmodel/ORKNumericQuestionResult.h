#pragma once

#include "taskmodel/ORKQuestionResult.h"

namespace pathloom {

// The answer to a numeric question: a number.
class ORKNumericQuestionResult : public ORKQuestionResult {
public:
    using ORKQuestionResult::ORKQuestionResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKNumericQuestionResult>(*this);
    }
};

}  // namespace pathloom
