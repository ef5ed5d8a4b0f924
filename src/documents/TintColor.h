#pragma once

#include <QColor>
#include <QString>
#include <optional>

namespace pathloom {

// The colour an app is tinted with: the system colour named by `systemName` (any letter case),
// or, for the name "other", the hexadecimal colour `hex`; system blue whenever that fails.
[[nodiscard]] QColor tintColor(const std::optional<QString>& systemName,
                               const std::optional<QString>& hex);

// "#RRGGBB" (opaque) or "#RRGGBBAA". Scanning stops at the first character that is not a
// hexadecimal digit and the digits read so far give the value, so "#12zz5678" reads as 0x12.
[[nodiscard]] std::optional<QColor> parseHexColor(QStringView text);

}  // namespace pathloom
