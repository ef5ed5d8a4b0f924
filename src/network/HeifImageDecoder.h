#pragma once

#include <QImage>
#include <QString>
#include <expected>

namespace pathloom {

// Decodes the primary image of a HEIF file, with its orientation applied. Keeps libheif out of
// every other file. Thread-safe: each call works on objects of its own.
class HeifImageDecoder {
public:
    // The image, or libheif's reason why the file could not be decoded.
    [[nodiscard]] static std::expected<QImage, QString> decode(const QString& filePath);
};

}  // namespace pathloom
