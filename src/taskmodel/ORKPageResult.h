#pragma once

#include "taskmodel/ORKTaskResult.h"

namespace pathloom {

// The result of a page step: the results of the steps shown on the page.
class ORKPageResult : public ORKTaskResult {
public:
    using ORKTaskResult::ORKTaskResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKPageResult>(*this);
    }
};

}  // namespace pathloom
