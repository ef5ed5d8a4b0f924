#pragma once

#include "taskmodel/ORKQuestionResult.h"

namespace pathloom {

// The answer to a time-of-day question: date components with hour and minute.
class ORKTimeOfDayQuestionResult : public ORKQuestionResult {
public:
    using ORKQuestionResult::ORKQuestionResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKTimeOfDayQuestionResult>(*this);
    }
};

}  // namespace pathloom
