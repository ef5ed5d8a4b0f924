#pragma once

#include "taskmodel/NavigationTriggerResult.h"
#include "taskmodel/ORKQuestionResult.h"

namespace pathloom {

// The answer to a choice question: the list of the values chosen.
class ORKChoiceQuestionResult : public ORKQuestionResult, public NavigationTriggerResult {
public:
    using ORKQuestionResult::ORKQuestionResult;

    [[nodiscard]] Value navigationValue() const override { return answer; }

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKChoiceQuestionResult>(*this);
    }
};

}  // namespace pathloom
