#pragma once

#include "taskmodel/ORKQuestionResult.h"

namespace pathloom {

// The answer to a choice question: the list of the values chosen.
class ORKChoiceQuestionResult : public ORKQuestionResult {
public:
    using ORKQuestionResult::ORKQuestionResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKChoiceQuestionResult>(*this);
    }
};

}  // namespace pathloom
