#pragma once

#include "taskmodel/ORKQuestionResult.h"

namespace pathloom {

// The answer to a date question: a date.
class ORKDateQuestionResult : public ORKQuestionResult {
public:
    using ORKQuestionResult::ORKQuestionResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKDateQuestionResult>(*this);
    }
};

}  // namespace pathloom
