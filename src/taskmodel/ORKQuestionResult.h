#pragma once

#include "taskmodel/ORKResult.h"
#include "taskmodel/Value.h"

namespace pathloom {

// The answer to one question. The answer is of any kind (a text, a number, a list of choices, a
// date, a location…) or the shared don't-know answer; no value means the question was skipped.
class ORKQuestionResult : public ORKResult {
public:
    using ORKResult::ORKResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKQuestionResult>(*this);
    }

    Value answer;
};

}  // namespace pathloom
