#include "platform/SymbolCatalogue.h"

#include "foundation/SymbolNames.h"
#include "platform/MaterialIcons.h"
#include "platform/SystemPalette.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPixmap>

namespace pathloom {

namespace {

using namespace Qt::StringLiterals;

// The family name under which the font was registered; nothing when it is not a font.
std::optional<QString> registerFont(const QByteArray& fontData) {
    const int id = QFontDatabase::addApplicationFontFromData(fontData);
    const QStringList families =
        id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? std::nullopt : std::optional(families.first());
}

const std::optional<QString>& builtInFamily() {
    static const std::optional<QString> family = registerFont(MaterialIcons::fontData());
    return family;
}

// The table's symbols with the code points of their glyphs; none without a font to draw them.
QHash<QString, char32_t> codePoints(const std::optional<QString>& family) {
    QHash<QString, char32_t> symbols;
    if (!family) {
        return symbols;
    }
    const QMap<QString, QString>& glyphs = SymbolNames::glyphNames();
    for (auto entry = glyphs.cbegin(); entry != glyphs.cend(); ++entry) {
        if (const std::optional<char32_t> codePoint = MaterialIcons::codePoint(entry.value())) {
            symbols.insert(entry.key(), *codePoint);
        }
    }
    return symbols;
}

}  // namespace

SymbolCatalogue::SymbolCatalogue()
    : m_family(builtInFamily()), m_codePoints(codePoints(m_family)) {}

SymbolCatalogue::SymbolCatalogue(const QByteArray& fontData)
    : m_family(registerFont(fontData)), m_codePoints(codePoints(m_family)) {}

bool SymbolCatalogue::contains(const QString& name) const { return m_codePoints.contains(name); }

std::optional<QImage> SymbolCatalogue::image(const QString& name, QSize size,
                                             const QColor& color) const {
    const auto codePoint = m_codePoints.constFind(name);
    if (codePoint == m_codePoints.cend() || size.isEmpty()) {
        return std::nullopt;
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QFont font(*m_family);
    font.setPixelSize(qMin(size.width(), size.height()));
    // Another font's glyph at this code point would be some unrelated picture.
    font.setStyleStrategy(QFont::NoFontMerging);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(image.rect(), Qt::AlignCenter, QString::fromUcs4(&*codePoint, 1));
    return image;
}

QIcon SymbolCatalogue::icon(const QString& name, QSize size, const QColor& color) const {
    QIcon icon;
    for (const QSize& drawnSize : {size, size * 2}) {
        if (const std::optional<QImage> drawn = image(name, drawnSize, color)) {
            icon.addPixmap(QPixmap::fromImage(*drawn));
        }
    }
    return icon;
}

std::optional<QImage> SymbolCatalogue::symbolImage(const QString& name) const {
    return image(name, QSize(kDocumentImageSide, kDocumentImageSide),
                 SystemPalette::color(SystemPalette::Role::label));
}

}  // namespace pathloom
