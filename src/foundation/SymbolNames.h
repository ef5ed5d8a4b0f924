#pragma once

#include <QMap>
#include <QString>

namespace pathloom {

// The platform symbol names ("star.fill", "ellipsis.circle", …) the app can draw, each with the
// Material Icons glyph that draws it: the checked-in table symbols.json.
class SymbolNames {
public:
    // Symbol name → glyph name; read once, then shared read-only by every thread.
    [[nodiscard]] static const QMap<QString, QString>& glyphNames();
};

}  // namespace pathloom
