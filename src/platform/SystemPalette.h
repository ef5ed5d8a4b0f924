#pragma once

#include <QColor>

namespace pathloom {

// The system colours the screens use, with the fixed light-appearance values of the well-known
// mobile system colours, so that screens look alike on every desktop and in every screenshot.
class SystemPalette {
public:
    enum class Role {
        label,
        secondaryLabel,
        tertiaryLabel,
        systemBackground,
        secondarySystemBackground,
        systemGroupedBackground,
        secondarySystemGroupedBackground,
        systemFill,
        separator,
        systemGray,
        systemGray2,
        systemGray5,
        systemRed,
    };

    [[nodiscard]] static QColor color(Role role);
};

}  // namespace pathloom
