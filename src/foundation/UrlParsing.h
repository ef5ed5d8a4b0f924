#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace pathloom {

// Parses a URL the strict way: the text must already be a valid URL reference (absolute or
// relative); a text with a space, braces or a stray percent sign is not one. Empty text is not.
[[nodiscard]] std::optional<QUrl> parseUrl(const QString& text);

}  // namespace pathloom
