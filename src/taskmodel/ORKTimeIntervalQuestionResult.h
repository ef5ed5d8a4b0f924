#pragma once

#include "taskmodel/ORKQuestionResult.h"

namespace pathloom {

// The answer to a time-interval question: a number of seconds.
class ORKTimeIntervalQuestionResult : public ORKQuestionResult {
public:
    using ORKQuestionResult::ORKQuestionResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKTimeIntervalQuestionResult>(*this);
    }
};

}  // namespace pathloom
