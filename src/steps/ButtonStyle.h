#pragma once

#include <QString>
#include <optional>

namespace pathloom {

// The look of a display page's button; written in documents as its raw value ("primary", …).
enum class ButtonStyle { primary, danger, outline };

[[nodiscard]] QString rawValue(ButtonStyle style);
// The style whose raw value is exactly `raw`; nothing for any other text.
[[nodiscard]] std::optional<ButtonStyle> buttonStyleFromRaw(QStringView raw);

}  // namespace pathloom
