#pragma once

#include "taskmodel/ORKQuestionResult.h"

namespace pathloom {

// The answer to a location question: an ORKLocation.
class ORKLocationQuestionResult : public ORKQuestionResult {
public:
    using ORKQuestionResult::ORKQuestionResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKLocationQuestionResult>(*this);
    }
};

}  // namespace pathloom
