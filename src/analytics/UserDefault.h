#pragma once

#include <QString>
#include <array>

namespace pathloom {

// The entries the analytics worker keeps in the app's settings across launches.
enum class UserDefault { currentVisitorToken };

inline constexpr std::array allUserDefaults{UserDefault::currentVisitorToken};

// "currentVisitorToken".
[[nodiscard]] QString rawValue(UserDefault entry);
// The key in the settings: "ahoy." followed by the raw value.
[[nodiscard]] QString settingsKey(UserDefault entry);

}  // namespace pathloom
