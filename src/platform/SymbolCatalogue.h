#pragma once

#include "foundation/SymbolImageProvider.h"

#include <QColor>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace pathloom {

// The platform's named symbols ("star.fill", "ellipsis.circle", …) drawn as Material Icons
// glyphs, after the table of SymbolNames. A name outside the table, or any name when the
// font cannot be loaded, has no image: callers choose their own fallback.
//
// The font is registered with the application on construction (the built-in one once in all),
// for the program's life, so build it on the main thread. Images may then be drawn on any
// thread; icons only on the main thread.
class SymbolCatalogue : public SymbolImageProvider {
public:
    // The side of the images given to documents that name a symbol without a size.
    static constexpr int kDocumentImageSide = 64;

    // Draws with the font built into the library.
    SymbolCatalogue();
    // Draws with the font file `fontData`; knows no symbol when that is not a font.
    explicit SymbolCatalogue(const QByteArray& fontData);

    [[nodiscard]] bool contains(const QString& name) const;
    // The symbol drawn in `color`, centred in an image of `size` (device pixels).
    [[nodiscard]] std::optional<QImage> image(const QString& name, QSize size,
                                              const QColor& color) const;
    // The same as an icon, also drawn at twice the size for high-density screens; a null icon
    // when the symbol is unknown.
    [[nodiscard]] QIcon icon(const QString& name, QSize size, const QColor& color) const;
    // The symbol in the label colour, kDocumentImageSide square.
    [[nodiscard]] std::optional<QImage> symbolImage(const QString& name) const override;

private:
    std::optional<QString> m_family;
    QHash<QString, char32_t> m_codePoints;
};

}  // namespace pathloom
