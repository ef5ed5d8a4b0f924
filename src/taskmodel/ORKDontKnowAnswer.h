#pragma once

#include "taskmodel/ORKObject.h"

#include <memory>

namespace pathloom {

// The answer "I don't know". There is one shared instance; compare by identity.
class ORKDontKnowAnswer : public ORKObject {
public:
    [[nodiscard]] static std::shared_ptr<ORKDontKnowAnswer> answer() {
        static const std::shared_ptr<ORKDontKnowAnswer> shared(new ORKDontKnowAnswer());
        return shared;
    }

private:
    ORKDontKnowAnswer() = default;
};

}  // namespace pathloom
