#pragma once

#include <QString>

namespace pathloom {

// Anything that names a step type: the `type` a step document must have.
class StepType {
public:
    virtual ~StepType() = default;
    [[nodiscard]] virtual QString typeName() const = 0;
};

}  // namespace pathloom
