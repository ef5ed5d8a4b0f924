#pragma once

#include "taskmodel/ORKQuestionResult.h"

namespace pathloom {

// The answer to a text question: a text.
class ORKTextQuestionResult : public ORKQuestionResult {
public:
    using ORKQuestionResult::ORKQuestionResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKTextQuestionResult>(*this);
    }
};

}  // namespace pathloom
