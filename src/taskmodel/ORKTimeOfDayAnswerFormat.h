#pragma once

#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/PlatformValues.h"

#include <optional>

namespace pathloom {

// A time-of-day answer (hour and minute), starting at `defaultComponents` when given.
class ORKTimeOfDayAnswerFormat : public ORKAnswerFormat {
public:
    explicit ORKTimeOfDayAnswerFormat(std::optional<DateComponents> defaultComponents)
        : defaultComponents(std::move(defaultComponents)) {}

    std::optional<DateComponents> defaultComponents;
    qint64 minuteInterval = 0;
};

}  // namespace pathloom
