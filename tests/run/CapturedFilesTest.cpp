#include "run/CapturedFiles.h"

#include "QtPrinting.h"
#include "TestFiles.h"
#include "foundation/Error.h"
#include "taskmodel/ORKImageCaptureStep.h"
#include "taskmodel/ORKInstructionStep.h"
#include "taskmodel/ORKSignatureStep.h"
#include "taskmodel/ORKVideoCaptureStep.h"

#include <gtest/gtest.h>
#include <zlib.h>
#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using Need = CapturedFiles::Need;

class CapturedFilesTest : public testing::Test {
protected:
    // A source file the test hands to a capture.
    QString source(const QString& name, const QByteArray& bytes) {
        const QString path = m_sources.filePath(name);
        EXPECT_TRUE(test::writeFile(path, bytes));
        return path;
    }

    [[nodiscard]] QString outputPath() const { return m_output.filePath(u"run"_s); }

    static QString storedPath(const CapturedFiles::Stored& stored) {
        return stored && (*stored)->fileURL ? (*stored)->fileURL->toLocalFile() : QString();
    }

    static QByteArray jpegBytes(QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG");
        return bytes;
    }

    QTemporaryDir m_sources;
    QTemporaryDir m_output;
    CapturedFiles m_files{QDir(outputPath())};
};

TEST_F(CapturedFilesTest, ReadsTheContentTypeFromTheContentNotTheName) {
    const struct {
        QString name;
        QByteArray bytes;
        Need need;
        QString contentType;
    } cases[] = {
        {u"photo.jpg"_s, test::pngBytes({8, 8}), Need::picture, u"image/png"_s},
        {u"scan.png"_s, jpegBytes({8, 8}), Need::picture, u"image/jpeg"_s},
        {u"clip.mp4"_s, "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n", Need::anyFile, u"application/pdf"_s},
    };
    for (const auto& given : cases) {
        const auto stored =
            m_files.store(u"capture"_s, source(given.name, given.bytes), given.need);

        ASSERT_TRUE(stored) << given.name.toStdString();
        EXPECT_EQ((*stored)->identifier, u"capture"_s);
        EXPECT_EQ((*stored)->contentType, given.contentType);
        EXPECT_EQ(QFileInfo(storedPath(stored)).fileName(), given.name) << "keeps its own name";
    }
}

TEST_F(CapturedFilesTest, ScalesALargePictureDownAndCopiesOthersByteForByte) {
    const QByteArray wide = test::pngBytes({5000, 100});
    const QByteArray small = test::pngBytes({4096, 30});

    const auto scaled = m_files.store(u"door"_s, source(u"wide.png"_s, wide), Need::picture);
    const auto copied = m_files.store(u"door"_s, source(u"small.png"_s, small), Need::picture);
    const auto anyFile = m_files.store(u"clip"_s, source(u"wide.png"_s, wide), Need::anyFile);

    ASSERT_TRUE(scaled && copied && anyFile);
    const QImage picture(storedPath(scaled));
    EXPECT_EQ(picture.width(), 4096);
    EXPECT_NEAR(picture.height(), 82, 1) << "keeps its aspect";
    EXPECT_EQ((*scaled)->contentType, u"image/png"_s);
    EXPECT_EQ(test::readFile(storedPath(copied)), small);
    EXPECT_EQ(test::readFile(storedPath(anyFile)), wide) << "only pictures are bounded";
}

// A grey PNG of `side` × `side` pixels, written row by row so that the test never holds the whole
// picture; decoding it takes side² bytes.
QByteArray largeGreyPng(int side) {
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    const auto chunk = [&png](const char* type, const QByteArray& data) {
        const quint32 length = qToBigEndian<quint32>(static_cast<quint32>(data.size()));
        png.append(reinterpret_cast<const char*>(&length), 4);
        const QByteArray body = QByteArray(type, 4) + data;
        png.append(body);
        const quint32 crc = qToBigEndian<quint32>(static_cast<quint32>(
            crc32(0, reinterpret_cast<const Bytef*>(body.constData()), body.size())));
        png.append(reinterpret_cast<const char*>(&crc), 4);
    };
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(side), header.data());
    qToBigEndian<quint32>(static_cast<quint32>(side), header.data() + 4);
    header[8] = 8;  // bits per sample; colour type 0 (grey), no interlacing
    chunk("IHDR", header);
    z_stream stream{};
    EXPECT_EQ(deflateInit(&stream, 1), Z_OK);
    QByteArray row(side + 1, '\0');  // filter byte 0, then black pixels
    QByteArray compressed;
    QByteArray buffer(1 << 16, '\0');
    for (int y = 0; y < side; ++y) {
        stream.next_in = reinterpret_cast<Bytef*>(row.data());
        stream.avail_in = static_cast<uInt>(row.size());
        const int flush = y + 1 == side ? Z_FINISH : Z_NO_FLUSH;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
            stream.avail_out = static_cast<uInt>(buffer.size());
            deflate(&stream, flush);
            compressed.append(buffer.constData(), buffer.size() - stream.avail_out);
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    chunk("IDAT", compressed);
    chunk("IEND", {});
    return png;
}

TEST_F(CapturedFilesTest, APictureFarBeyondTheBoundIsStoredAtTheBound) {
    const QString huge = source(u"huge.png"_s, largeGreyPng(20000));

    const auto preview = CapturedFiles::readPicture(huge);
    const auto stored = m_files.store(u"door"_s, huge, Need::picture);

    ASSERT_TRUE(preview.has_value());
    EXPECT_EQ(preview->size(), QSize(4096, 4096));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(QImageReader(storedPath(stored)).size(), QSize(4096, 4096));
}

TEST_F(CapturedFilesTest, StoresATakenPictureAsABoundedPng) {
    QImage tall(60, 6000, QImage::Format_ARGB32);
    tall.fill(Qt::red);

    const auto stored = m_files.store(u"signature"_s, tall, u"../../escape.jpg"_s);

    ASSERT_TRUE(stored) << stored.error().description().toStdString();
    const QString path = storedPath(stored);
    EXPECT_EQ(QFileInfo(path).fileName(), u"escape.png"_s);
    EXPECT_TRUE(QFileInfo(path).absoluteFilePath().startsWith(QDir(outputPath()).absolutePath()))
        << "a name never leads out of the output folder: " << path.toStdString();
    const QSize size = QImageReader(path).size();
    EXPECT_EQ(size.height(), 4096);
    EXPECT_NEAR(size.width(), 41, 1) << "keeps its aspect";
    EXPECT_EQ((*stored)->contentType, u"image/png"_s);
}

TEST_F(CapturedFilesTest, EveryCaptureHasAFolderOfItsOwn) {
    const auto first =
        m_files.store(u"before"_s, source(u"a/photo.png"_s, test::pngBytes({4, 4})), Need::picture);
    const auto second = m_files.store(
        u"after"_s, source(u"b/photo.png"_s, test::pngBytes({4, 4}, Qt::red)), Need::picture);
    // A folder that went missing in between does not make the next capture reuse a name.
    ASSERT_TRUE(first);
    ASSERT_TRUE(QDir(QFileInfo(storedPath(first)).path()).removeRecursively());
    const auto third = m_files.store(
        u"again"_s, source(u"c/photo.png"_s, test::pngBytes({4, 4}, Qt::green)), Need::picture);

    ASSERT_TRUE(second && third);
    EXPECT_NE(storedPath(second), storedPath(third));
    EXPECT_EQ(QImage(storedPath(second)).pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(QImage(storedPath(third)).pixelColor(0, 0), QColor(Qt::green));
}

TEST_F(CapturedFilesTest, RefusesWhatCannotBeStored) {
    const QString text = source(u"notes.png"_s, "not a picture at all");
    const QString folder = source(u"folder/inside.txt"_s, "x");
    const struct {
        QString path;
        Need need;
        CaptureError::Case errorCase;
        QString description;
    } cases[] = {
        {text, Need::picture, CaptureError::Case::notAPicture, u"This file is not a picture."_s},
        {m_sources.filePath(u"missing.png"_s), Need::anyFile, CaptureError::Case::missingSource,
         u"There is no file at %1."_s.arg(m_sources.filePath(u"missing.png"_s))},
        {QFileInfo(folder).path(), Need::anyFile, CaptureError::Case::unreadableSource,
         u"The file %1 cannot be read."_s.arg(QFileInfo(folder).path())},
    };
    for (const auto& given : cases) {
        const auto stored = m_files.store(u"photo"_s, given.path, given.need);

        ASSERT_FALSE(stored) << given.path.toStdString();
        EXPECT_EQ(stored.error().errorCase(), given.errorCase);
        const Error error = stored.error();
        EXPECT_EQ(error.domain(), u"pathloom.capture"_s);
        EXPECT_EQ(error.localizedDescription(), given.description);
    }
    EXPECT_TRUE(m_files.store(u"photo"_s, text, Need::anyFile)) << "any file may be any file";

    const auto noName = m_files.store(u"photo"_s, QImage(4, 4, QImage::Format_RGB32), u"/"_s);
    ASSERT_FALSE(noName);
    EXPECT_EQ(noName.error().errorCase(), CaptureError::Case::invalidFileName);
}

TEST_F(CapturedFilesTest, FailsToStoreWhereNoFolderCanBeMade) {
    const QString blocker = source(u"blocker"_s, "a file where the output folder should be");
    const CapturedFiles files{QDir(blocker)};

    const auto stored =
        files.store(u"photo"_s, source(u"photo.png"_s, test::pngBytes({4, 4})), Need::picture);

    ASSERT_FALSE(stored);
    EXPECT_EQ(stored.error().errorCase(), CaptureError::Case::notStored);
    EXPECT_TRUE(stored.error().description().startsWith(u"Could not store the capture as "_s));
}

TEST(CapturedFilesNeedTest, PicturesForImagesAndSignaturesAnyFileForVideos) {
    EXPECT_EQ(CapturedFiles::need(ORKImageCaptureStep(u"photo"_s)), Need::picture);
    EXPECT_EQ(CapturedFiles::need(ORKSignatureStep(u"sign"_s)), Need::picture);
    EXPECT_EQ(CapturedFiles::need(ORKVideoCaptureStep(u"clip"_s)), Need::anyFile);
    EXPECT_EQ(CapturedFiles::need(ORKInstructionStep(u"hello"_s)), std::nullopt);
}

}  // namespace
}  // namespace pathloom
