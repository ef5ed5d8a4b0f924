#pragma once

#include "taskmodel/ORKQuestionResult.h"

namespace pathloom {

// The answer to a multiple-value picker: the list of the values picked.
class ORKMultipleComponentQuestionResult : public ORKQuestionResult {
public:
    using ORKQuestionResult::ORKQuestionResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKMultipleComponentQuestionResult>(*this);
    }
};

}  // namespace pathloom
