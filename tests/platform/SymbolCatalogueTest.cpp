#include "platform/SymbolCatalogue.h"

#include "QtPrinting.h"
#include "foundation/ResourceBundle.h"
#include "foundation/SymbolNames.h"
#include "platform/MaterialIcons.h"
#include "platform/SystemPalette.h"
#include "serialization/ORKESerializationBundleImageProvider.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QRawFont>
#include <QTemporaryDir>
#include <future>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

// How many pixels of `image` are `color` (alpha ignored: glyph edges are blended) and how many
// are fully transparent.
struct Coverage {
    int inColor = 0;
    int transparent = 0;
};

Coverage coverage(const QImage& image, const QColor& color) {
    Coverage counted;
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QColor pixel = pixels.pixelColor(x, y);
            if (pixel.alpha() == 0) {
                ++counted.transparent;
            } else if (pixel.alpha() == 255 && pixel.rgb() == color.rgb()) {
                ++counted.inColor;
            }
        }
    }
    return counted;
}

struct Drawing {
    const char* name;
    QString symbol;
    QSize size;
    QColor color;
};

void PrintTo(const Drawing& drawing, std::ostream* os) { *os << drawing.name; }

class SymbolCatalogueDrawingTest : public testing::TestWithParam<Drawing> {};

TEST_P(SymbolCatalogueDrawingTest, DrawsTheGlyphInTheColourOnAClearImageOfTheSize) {
    const Drawing& drawing = GetParam();
    const SymbolCatalogue catalogue;

    const std::optional<QImage> image =
        catalogue.image(drawing.symbol, drawing.size, drawing.color);

    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), drawing.size);
    const Coverage counted = coverage(*image, drawing.color);
    const int side = qMin(drawing.size.width(), drawing.size.height());
    // A glyph covers part of its square: some solid pixels, and clear space around them.
    EXPECT_GT(counted.inColor, side * side / 40) << image->save(u"/tmp/symbol-failed.png"_s);
    EXPECT_GT(counted.transparent, side * side / 5);
    EXPECT_EQ(image->pixelColor(0, 0).alpha(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Symbols, SymbolCatalogueDrawingTest,
    testing::Values(Drawing{"StarFillInRed", u"star.fill"_s, QSize(24, 24), QColor(255, 59, 48)},
                    Drawing{"MoreInBlueOnAWideImage", u"ellipsis.circle"_s, QSize(48, 32),
                            QColor(0, 122, 255)},
                    Drawing{"DocumentInLabelColour", u"doc.text"_s, QSize(64, 64),
                            SystemPalette::color(SystemPalette::Role::label)},
                    Drawing{"PhotoAtTabSize", u"photo"_s, QSize(22, 22), QColor(52, 199, 89)}),
    [](const testing::TestParamInfo<Drawing>& info) { return info.param.name; });

TEST(SymbolCatalogueTest, DrawsEachSymbolAsItsOwnGlyph) {
    // A missing glyph would come out as the same box for every name.
    const SymbolCatalogue catalogue;
    const QSize size(32, 32);
    const QColor black(Qt::black);

    const auto star = catalogue.image(u"star.fill"_s, size, black);
    const auto starAgain = catalogue.image(u"star"_s, size, black);
    const auto heart = catalogue.image(u"heart.fill"_s, size, black);
    const auto more = catalogue.image(u"ellipsis.circle"_s, size, black);

    ASSERT_TRUE(star && starAgain && heart && more);
    EXPECT_EQ(*star, *starAgain);
    EXPECT_NE(*star, *heart);
    EXPECT_NE(*star, *more);
    EXPECT_NE(*heart, *more);
}

TEST(SymbolCatalogueTest, KnowsNothingOfNamesOutsideItsTable) {
    const SymbolCatalogue catalogue;

    for (const QString& name : {u"no.such.symbol"_s, u""_s, u"Star.Fill"_s, u"star.fill "_s,
                                u"more_horiz"_s /* a glyph name, not a symbol name */}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(catalogue.contains(name));
        EXPECT_FALSE(catalogue.image(name, QSize(24, 24), Qt::black));
        EXPECT_TRUE(catalogue.icon(name, QSize(24, 24), Qt::black).isNull());
        EXPECT_FALSE(catalogue.symbolImage(name));
    }
}

TEST(SymbolCatalogueTest, GivesNoImageOfAnEmptySize) {
    const SymbolCatalogue catalogue;

    EXPECT_FALSE(catalogue.image(u"star"_s, QSize(0, 24), Qt::black));
    EXPECT_FALSE(catalogue.image(u"star"_s, QSize(), Qt::black));
}

TEST(SymbolCatalogueTest, EveryTableEntryNamesAGlyphOfTheFont) {
    const QMap<QString, QString>& table = SymbolNames::glyphNames();
    const QRawFont font(MaterialIcons::fontData(), 24);
    const SymbolCatalogue catalogue;
    ASSERT_TRUE(font.isValid());
    ASSERT_GE(table.size(), 60);

    for (auto entry = table.cbegin(); entry != table.cend(); ++entry) {
        SCOPED_TRACE(entry.key().toStdString() + " -> " + entry.value().toStdString());
        const std::optional<char32_t> codePoint = MaterialIcons::codePoint(entry.value());
        ASSERT_TRUE(codePoint) << "not in the font package's list of glyphs";
        EXPECT_TRUE(font.supportsCharacter(*codePoint));
        EXPECT_TRUE(catalogue.contains(entry.key()));
    }
}

TEST(SymbolCatalogueTest, TheNamesThatScreensFallBackOnAreKnown) {
    const SymbolCatalogue catalogue;

    for (const QString& name : {u"ellipsis.circle"_s, u"photo"_s, u"play.fill"_s, u"doc.text"_s}) {
        EXPECT_TRUE(catalogue.contains(name)) << name.toStdString();
    }
}

TEST(SymbolCatalogueTest, TheFontIsBuiltInWithItsCopyrightNote) {
    QFile copyright(u":/pathloom/symbols/MaterialIcons-copyright"_s);

    ASSERT_TRUE(copyright.open(QIODevice::ReadOnly));
    EXPECT_TRUE(copyright.readAll().contains("Apache-2.0"));
    EXPECT_FALSE(MaterialIcons::fontData().isEmpty());
}

TEST(SymbolCatalogueTest, WithoutAUsableFontKnowsNothing) {
    for (const QByteArray& fontData : {QByteArray(), QByteArray("not a font at all")}) {
        const SymbolCatalogue catalogue(fontData);

        EXPECT_FALSE(catalogue.contains(u"star"_s));
        EXPECT_FALSE(catalogue.image(u"star"_s, QSize(24, 24), Qt::black));
        EXPECT_FALSE(catalogue.symbolImage(u"ellipsis.circle"_s));
    }
}

TEST(SymbolCatalogueTest, DrawsAlikeOnAnotherThread) {
    const SymbolCatalogue catalogue;

    std::future<std::optional<QImage>> drawn =
        std::async(std::launch::async, [&] { return catalogue.symbolImage(u"gear"_s); });

    const std::optional<QImage> elsewhere = drawn.get();
    const std::optional<QImage> here = catalogue.symbolImage(u"gear"_s);
    ASSERT_TRUE(elsewhere && here);
    EXPECT_EQ(*elsewhere, *here);
}

TEST(SymbolCatalogueTest, ResolvesSymbolNamesOfDocumentImagesBeforeTheBundle) {
    QTemporaryDir bundleDir;
    QImage logo(8, 8, QImage::Format_ARGB32);
    logo.fill(Qt::green);
    ASSERT_TRUE(logo.save(bundleDir.filePath(u"logo.png"_s)));
    const ORKESerializationBundleImageProvider provider(ResourceBundle(bundleDir.path()),
                                                        std::make_shared<SymbolCatalogue>());

    const std::optional<QImage> symbol = provider.imageForReference({{u"imageName"_s, u"star"_s}});
    const std::optional<QImage> fromBundle =
        provider.imageForReference({{u"imageName"_s, u"logo"_s}});

    ASSERT_TRUE(symbol);
    EXPECT_EQ(symbol->size(),
              QSize(SymbolCatalogue::kDocumentImageSide, SymbolCatalogue::kDocumentImageSide));
    EXPECT_GT(coverage(*symbol, SystemPalette::color(SystemPalette::Role::label)).inColor, 0);
    ASSERT_TRUE(fromBundle);
    EXPECT_EQ(fromBundle->size(), QSize(8, 8));
}

}  // namespace
}  // namespace pathloom
