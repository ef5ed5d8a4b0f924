#include "network/PDFImageRenderer.h"

#include "PdfInspection.h"
#include "QtPrinting.h"
#include "foundation/Error.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

QImage filled(int width, int height, qreal devicePixelRatio = 1.0) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct PageCase {
    const char* name;
    QList<QImage> images;
    QStringList pages;

    friend void PrintTo(const PageCase& pageCase, std::ostream* os) { *os << pageCase.name; }
};

class PDFImageRendererPages : public testing::TestWithParam<PageCase> {};

TEST_P(PDFImageRendererPages, EveryPageIsAsLargeAsTheLargestImageInEachDirection) {
    QTemporaryDir caches;
    ASSERT_TRUE(caches.isValid());
    const PDFImageRenderer renderer(caches.path());

    const std::expected<QUrl, PDFImageRenderError> url =
        renderer.render(GetParam().images, u"scan"_s);

    ASSERT_TRUE(url.has_value());
    EXPECT_EQ(url->toLocalFile(), caches.filePath(u"scan.pdf"_s));
    const QByteArray pdf = contents(url->toLocalFile());
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(test::pdfMediaBoxes(pdf), GetParam().pages);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, PDFImageRendererPages,
    testing::Values(PageCase{"OneImage", {filled(40, 30)}, {u"0 0 40 30"_s}},
                    PageCase{"TallThenWide",
                             {filled(100, 200), filled(300, 50)},
                             {u"0 0 300 200"_s, u"0 0 300 200"_s}},
                    PageCase{"ThreePages",
                             {filled(10, 10), filled(20, 5), filled(5, 30)},
                             {u"0 0 20 30"_s, u"0 0 20 30"_s, u"0 0 20 30"_s}},
                    // A high-resolution scan is as large as it shows, not as its pixel count.
                    PageCase{"HighResolution", {filled(200, 400, 2.0)}, {u"0 0 100 200"_s}},
                    // Near a standard paper size, the page still has the picture's own size.
                    PageCase{"NearlyA4", {filled(596, 841)}, {u"0 0 596 841"_s}},
                    PageCase{"NearlyLetter", {filled(611, 791)}, {u"0 0 611 791"_s}}),
    [](const testing::TestParamInfo<PageCase>& info) { return info.param.name; });

TEST(PDFImageRendererTest, EmbedsEveryImageWithItsPixels) {
    QTemporaryDir caches;
    ASSERT_TRUE(caches.isValid());

    const auto url =
        PDFImageRenderer(caches.path()).render({filled(100, 200), filled(300, 50)}, u"pages"_s);

    ASSERT_TRUE(url.has_value());
    EXPECT_EQ(test::pdfEmbeddedImages(contents(url->toLocalFile())),
              (QStringList{u"100x200"_s, u"300x50"_s}));
}

TEST(PDFImageRendererTest, ReplacesAnEarlierDocumentOfTheSameName) {
    QTemporaryDir caches;
    ASSERT_TRUE(caches.isValid());
    const PDFImageRenderer renderer(caches.path());
    ASSERT_TRUE(renderer.render({filled(10, 10), filled(10, 10)}, u"doc"_s).has_value());

    const auto url = renderer.render({filled(70, 20)}, u"doc"_s);

    ASSERT_TRUE(url.has_value());
    EXPECT_EQ(test::pdfMediaBoxes(contents(url->toLocalFile())), QStringList{u"0 0 70 20"_s});
    EXPECT_EQ(QDir(caches.path()).entryList(QDir::Files), QStringList{u"doc.pdf"_s});
}

TEST(PDFImageRendererTest, CreatesAMissingCachesDirectory) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString caches = root.filePath(u"cache/app"_s);

    const auto url = PDFImageRenderer(caches).render({filled(10, 10)}, u"scan"_s);

    ASSERT_TRUE(url.has_value());
    EXPECT_TRUE(QFile::exists(caches + u"/scan.pdf"_s));
}

TEST(PDFImageRendererTest, FailsWhereNoFileCanBeWritten) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QFile blocker(root.filePath(u"plain-file"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    struct Case {
        QString directory;
        QString fileName;
    };
    const QList<Case> cases{
        // No caches directory at all.
        {QString(), u"scan"_s},
        // A directory that cannot exist: a plain file stands in its way.
        {root.filePath(u"plain-file/caches"_s), u"scan"_s},
        // A name that would leave the directory.
        {root.filePath(u"caches"_s), u"../escaped"_s},
    };
    for (const Case& failing : cases) {
        SCOPED_TRACE((failing.directory + u" / "_s + failing.fileName).toStdString());
        const auto url =
            PDFImageRenderer(failing.directory).render({filled(10, 10)}, failing.fileName);

        ASSERT_FALSE(url.has_value());
        EXPECT_EQ(url.error().description(), u"Unable to save as PDF"_s);
        EXPECT_EQ(Error(url.error()).localizedDescription(), u"Unable to save as PDF"_s);
    }
    EXPECT_FALSE(QFile::exists(root.filePath(u"escaped.pdf"_s)));
}

}  // namespace
}  // namespace pathloom
