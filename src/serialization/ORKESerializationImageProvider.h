#pragma once

#include <QImage>
#include <QJsonObject>
#include <optional>

namespace pathloom {

// Turns the image references of documents into images and back.
class ORKESerializationImageProvider {
public:
    virtual ~ORKESerializationImageProvider() = default;
    [[nodiscard]] virtual std::optional<QImage> imageForReference(
        const QJsonObject& reference) const = 0;
    [[nodiscard]] virtual QJsonObject referenceBySavingImage(const QImage& image) const = 0;
};

}  // namespace pathloom
