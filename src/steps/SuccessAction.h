#pragma once

#include <QString>
#include <optional>

namespace pathloom {

// What a display page does once a button's action succeeded: stay, reload the page, or move one
// step back or forward. Written in documents as its raw value ("none", "reload", …).
enum class SuccessAction { none, reload, backward, forward };

[[nodiscard]] QString rawValue(SuccessAction action);
// The action whose raw value is exactly `raw`; nothing for any other text.
[[nodiscard]] std::optional<SuccessAction> successActionFromRaw(QStringView raw);

}  // namespace pathloom
