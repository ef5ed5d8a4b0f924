#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace pathloom {

// Parses a URL the strict way: the text must already be a valid URL reference (absolute or
// relative); a text with a space, braces or a stray percent sign is not one. Empty text is not.
[[nodiscard]] std::optional<QUrl> parseUrl(const QString& text);
// The same URL as its written form reads. Written out, a '#' within the fragment becomes "%23",
// which QUrl holds as another URL than the one it wrote; a URL read this way, stored as text and
// read again compares equal to the first.
[[nodiscard]] std::optional<QUrl> parseUrlAsWritten(const QString& text);

}  // namespace pathloom
