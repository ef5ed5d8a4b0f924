#include "platform/MaterialIcons.h"

#include <QFile>
#include <QHash>
#include <QString>

namespace pathloom {

namespace {

using namespace Qt::StringLiterals;

struct Glyph {
    const char16_t* name;
    char32_t codePoint;
};

// Generated at configure time from the font package's list of names and code points.
constexpr Glyph kGlyphs[] = {
#include "MaterialIconCodePoints.inc"
};

const QHash<QStringView, char32_t>& codePoints() {
    static const QHash<QStringView, char32_t> table = [] {
        QHash<QStringView, char32_t> glyphs;
        glyphs.reserve(std::size(kGlyphs));
        for (const Glyph& glyph : kGlyphs) {
            glyphs.insert(QStringView(glyph.name), glyph.codePoint);
        }
        return glyphs;
    }();
    return table;
}

}  // namespace

QByteArray MaterialIcons::fontData() {
    QFile font(u":/pathloom/symbols/MaterialIcons-Regular.ttf"_s);
    return font.open(QIODevice::ReadOnly) ? font.readAll() : QByteArray();
}

std::optional<char32_t> MaterialIcons::codePoint(QStringView glyphName) {
    const auto found = codePoints().constFind(glyphName);
    return found != codePoints().cend() ? std::optional(*found) : std::nullopt;
}

}  // namespace pathloom
