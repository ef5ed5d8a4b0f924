#pragma once

#include <QByteArray>
#include <QStringView>
#include <optional>

namespace pathloom {

// The Material Icons font built into the library, and its glyphs by name ("star", "more_horiz")
// as the font's package lists them.
class MaterialIcons {
public:
    // The TrueType file; empty if it was not built in.
    [[nodiscard]] static QByteArray fontData();
    // The code point of the glyph named `glyphName`, if the package lists one.
    [[nodiscard]] static std::optional<char32_t> codePoint(QStringView glyphName);
};

}  // namespace pathloom
