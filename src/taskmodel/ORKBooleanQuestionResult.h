#pragma once

#include "taskmodel/ORKQuestionResult.h"

namespace pathloom {

// The answer to a yes/no question: a boolean number.
class ORKBooleanQuestionResult : public ORKQuestionResult {
public:
    using ORKQuestionResult::ORKQuestionResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKBooleanQuestionResult>(*this);
    }
};

}  // namespace pathloom
