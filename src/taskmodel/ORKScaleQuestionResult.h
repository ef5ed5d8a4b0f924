#pragma once

#include "taskmodel/ORKQuestionResult.h"

namespace pathloom {

// The answer to a scale question: a number.
class ORKScaleQuestionResult : public ORKQuestionResult {
public:
    using ORKQuestionResult::ORKQuestionResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKScaleQuestionResult>(*this);
    }
};

}  // namespace pathloom
