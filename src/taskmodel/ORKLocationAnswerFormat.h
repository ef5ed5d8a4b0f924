#pragma once

#include "taskmodel/ORKAnswerFormat.h"

#include <QString>
#include <optional>

namespace pathloom {

// A place answer, typed as an address or taken from the device's current location.
class ORKLocationAnswerFormat : public ORKAnswerFormat {
public:
    bool useCurrentLocation = false;
    std::optional<QString> placeholder;
};

}  // namespace pathloom
