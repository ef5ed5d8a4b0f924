#pragma once

#include "taskmodel/ORKResult.h"

namespace pathloom {

// The result of signing a consent document.
class ORKConsentSignatureResult : public ORKResult {
public:
    using ORKResult::ORKResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKConsentSignatureResult>(*this);
    }
};

}  // namespace pathloom
