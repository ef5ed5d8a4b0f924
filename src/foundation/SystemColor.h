#pragma once

#include <QColor>

namespace pathloom {

// The system colours an app document can name, with a fixed palette (the light-appearance values
// of the well-known mobile system colours) so that every platform tints alike.
enum class SystemColor { blue, green, indigo, orange, pink, purple, red, teal, yellow };

[[nodiscard]] QColor systemColor(SystemColor color);

}  // namespace pathloom
