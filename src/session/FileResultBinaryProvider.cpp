#include "session/FileResultBinaryProvider.h"

#include "network/HeifImageDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaximumJpegQuality = 100;

std::optional<QByteArray> heifAsJpeg(const QString& path) {
    const std::expected<QImage, QString> image = HeifImageDecoder::decode(path);
    if (!image) {
        return std::nullopt;
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QByteArrayLiteral("jpeg"));
    writer.setQuality(kMaximumJpegQuality);
    if (!writer.write(*image)) {
        return std::nullopt;
    }
    return jpeg;
}

}  // namespace

QString FileResultBinaryProvider::identifier() const { return m_result->identifier; }

std::optional<QString> FileResultBinaryProvider::filePath() const {
    if (!m_result->fileURL) {
        return std::nullopt;
    }
    return m_result->fileURL->path();
}

std::optional<QString> FileResultBinaryProvider::fileName() const {
    if (!m_result->fileURL) {
        return std::nullopt;
    }
    const QString name = m_result->fileURL->fileName();
    return isHeif() ? name.toLower().replace(u"heif"_s, u"jpg"_s) : name;
}

std::optional<QString> FileResultBinaryProvider::mimeType() const {
    return isHeif() ? std::optional(u"image/jpeg"_s) : m_result->contentType;
}

std::optional<QByteArray> FileResultBinaryProvider::data() const {
    const std::optional<QString> path = filePath();
    if (!path) {
        return std::nullopt;
    }
    const QFileInfo info(*path);
    if (!info.isFile() || !info.isReadable()) {
        return std::nullopt;
    }
    if (isHeif()) {
        return heifAsJpeg(*path);
    }
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

bool FileResultBinaryProvider::isHeif() const { return m_result->contentType == u"image/heif"; }

}  // namespace pathloom
