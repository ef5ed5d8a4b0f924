#pragma once

#include <QtGlobal>
#include <optional>

namespace pathloom {

// How the workflows of an app are presented. The raw values are those of the stored form.
enum class AppNavigationStyle { list = 0, tabBar = 1, primaryWorkflow = 2 };

// The style with the given raw value, or nothing for a value that has no case.
[[nodiscard]] constexpr std::optional<AppNavigationStyle> appNavigationStyleFromRaw(qint64 raw) {
    switch (raw) {
        case 0:
            return AppNavigationStyle::list;
        case 1:
            return AppNavigationStyle::tabBar;
        case 2:
            return AppNavigationStyle::primaryWorkflow;
        default:
            return std::nullopt;
    }
}

}  // namespace pathloom
