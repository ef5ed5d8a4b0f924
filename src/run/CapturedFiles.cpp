#include "run/CapturedFiles.h"

#include "taskmodel/ORKImageCaptureStep.h"
#include "taskmodel/ORKSignatureStep.h"
#include "taskmodel/ORKVideoCaptureStep.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QMimeDatabase>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// Scaled photos stay close to the original; Qt's default would visibly soften them.
constexpr int kJpegQuality = 90;

bool exceedsBound(QSize size) {
    return size.width() > CapturedFiles::kLongestSide ||
           size.height() > CapturedFiles::kLongestSide;
}

// Most formats decode a picture whole before it can be scaled down; Qt's default limit of 256 MiB
// per decoded picture would turn a large photo (a 20000-pixel square) into "not a picture".
constexpr int kLargestDecodeMegabytes = 4096;

// Lets `reader` decode a picture beyond the bound, straight to the bound where its format can.
void readBounded(QImageReader& reader) {
    const QSize size = reader.size();
    if (size.isValid() && exceedsBound(size)) {
        reader.setAllocationLimit(kLargestDecodeMegabytes);
        reader.setScaledSize(size.scaled(CapturedFiles::kLongestSide, CapturedFiles::kLongestSide,
                                         Qt::KeepAspectRatio));
    }
}

QImage boundedPicture(const QImage& picture) {
    if (!exceedsBound(picture.size())) {
        return picture;
    }
    return picture.scaled(CapturedFiles::kLongestSide, CapturedFiles::kLongestSide,
                          Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// The name with a .png suffix in place of any other.
QString pngName(const QString& name) {
    const QFileInfo info(name);
    if (info.suffix().compare(u"png"_s, Qt::CaseInsensitive) == 0) {
        return name;
    }
    return (info.suffix().isEmpty() ? name : info.completeBaseName()) + u".png"_s;
}

bool write(const QImage& picture, const QString& path, const QByteArray& format) {
    QImageWriter writer(path, format);
    writer.setQuality(format == "jpeg" || format == "jpg" ? kJpegQuality : -1);
    return writer.write(picture);
}

// The content decides; the name only when the content tells nothing.
QString contentType(const QString& path) {
    const QMimeDatabase mimes;
    const QMimeType type = mimes.mimeTypeForFile(path, QMimeDatabase::MatchContent);
    return type.isDefault() ? mimes.mimeTypeForFile(path).name() : type.name();
}

CapturedFiles::Stored fileResult(const QString& stepIdentifier, const QString& path) {
    auto result = std::make_shared<ORKFileResult>(stepIdentifier);
    result->fileURL = QUrl::fromLocalFile(path);
    result->contentType = contentType(path);
    return result;
}

}  // namespace

std::optional<CapturedFiles::Need> CapturedFiles::need(const ORKStep& step) {
    if (dynamic_cast<const ORKImageCaptureStep*>(&step) ||
        dynamic_cast<const ORKSignatureStep*>(&step)) {
        return Need::picture;
    }
    if (dynamic_cast<const ORKVideoCaptureStep*>(&step)) {
        return Need::anyFile;
    }
    return std::nullopt;
}

CapturedFiles::Stored CapturedFiles::store(const QString& stepIdentifier, const QString& sourcePath,
                                           Need need) const {
    const QFileInfo source(sourcePath);
    if (!source.exists()) {
        return std::unexpected(CaptureError::missingSource(sourcePath));
    }
    if (!source.isFile() || !source.isReadable()) {
        return std::unexpected(CaptureError::unreadableSource(sourcePath));
    }
    QString name = source.fileName();
    QImage scaled;
    QByteArray format;
    if (need == Need::picture) {
        QImageReader reader(source.absoluteFilePath());
        reader.setDecideFormatFromContent(true);
        if (!reader.canRead()) {
            return std::unexpected(CaptureError::notAPicture(sourcePath));
        }
        format = reader.format();
        // A reader that cannot tell the size without decoding is decoded to learn it.
        if (!reader.size().isValid() || exceedsBound(reader.size())) {
            const bool tooLarge = reader.size().isValid();
            readBounded(reader);
            reader.setAutoTransform(true);
            const QImage picture = reader.read();
            if (picture.isNull()) {
                return std::unexpected(CaptureError::notAPicture(sourcePath));
            }
            if (tooLarge || exceedsBound(picture.size())) {
                scaled = boundedPicture(picture);
            }
        }
        if (!scaled.isNull() && !QImageWriter::supportedImageFormats().contains(format)) {
            format = "png";
            name = pngName(name);
        }
    }
    const std::expected<QDir, CaptureError> folder = newFolder();
    if (!folder) {
        return std::unexpected(folder.error());
    }
    const QString target = folder->filePath(name);
    const bool stored = scaled.isNull() ? QFile::copy(source.absoluteFilePath(), target)
                                        : write(scaled, target, format);
    if (!stored) {
        QDir(*folder).removeRecursively();
        return std::unexpected(CaptureError::notStored(target));
    }
    return fileResult(stepIdentifier, target);
}

std::expected<QImage, CaptureError> CapturedFiles::readPicture(const QString& path) {
    const QFileInfo source(path);
    if (!source.exists()) {
        return std::unexpected(CaptureError::missingSource(path));
    }
    if (!source.isFile() || !source.isReadable()) {
        return std::unexpected(CaptureError::unreadableSource(path));
    }
    QImageReader reader(source.absoluteFilePath());
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    readBounded(reader);
    QImage picture = reader.read();
    if (picture.isNull()) {
        return std::unexpected(CaptureError::notAPicture(path));
    }
    return picture;
}

CapturedFiles::Stored CapturedFiles::store(const QString& stepIdentifier, const QImage& picture,
                                           const QString& fileName) const {
    const QString name = QFileInfo(fileName).fileName();
    // Only a name of its own is taken, so that no name can lead out of the capture's folder.
    if (QFileInfo(name).baseName().isEmpty()) {
        return std::unexpected(CaptureError::invalidFileName(fileName));
    }
    if (picture.isNull()) {
        return std::unexpected(CaptureError::notAPicture(fileName));
    }
    const std::expected<QDir, CaptureError> folder = newFolder();
    if (!folder) {
        return std::unexpected(folder.error());
    }
    const QString target = folder->filePath(pngName(name));
    if (!write(boundedPicture(picture), target, "png")) {
        QDir(*folder).removeRecursively();
        return std::unexpected(CaptureError::notStored(target));
    }
    return fileResult(stepIdentifier, target);
}

std::expected<QDir, CaptureError> CapturedFiles::newFolder() const {
    if (!m_directory.mkpath(u"."_s)) {
        return std::unexpected(CaptureError::notStored(m_directory.absolutePath()));
    }
    // Creating the folder claims it: a name someone else took fails and the next one is tried.
    qsizetype number = m_directory.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
    while (!m_directory.mkdir(QString::number(number))) {
        if (!m_directory.exists(QString::number(number))) {
            return std::unexpected(
                CaptureError::notStored(m_directory.absoluteFilePath(QString::number(number))));
        }
        ++number;
    }
    return QDir(m_directory.absoluteFilePath(QString::number(number)));
}

}  // namespace pathloom
