#pragma once

#include "taskmodel/PlatformValues.h"

#include <QString>

namespace pathloom {

// A time of day as "HH:mm" text, for example "07:05". Unset components read as 0.
[[nodiscard]] QString ORKTimeOfDayStringFromComponents(const DateComponents& components);
// The hour and minute of "H:mm" or "HH:mm" text; unset components for text that is none.
[[nodiscard]] DateComponents ORKTimeOfDayComponentsFromString(const QString& string);

}  // namespace pathloom
