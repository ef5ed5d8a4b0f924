#pragma once

#include "documents/DecodingError.h"
#include "documents/ParseError.h"

#include <QImage>
#include <QJsonObject>
#include <QString>
#include <expected>
#include <optional>

namespace pathloom {

class ImageLoader;

// One step document: what every step needs, lifted out, and the whole object as `content`, from
// which each step kind reads its own keys.
struct StepData {
    QString type;
    QString identifier;
    // Obtained while parsing; never stored.
    std::optional<QImage> image;
    std::optional<QString> imageURL;
    QJsonObject content;

    // The document form: "type" and "identifier" are required; an "imageURL" is loaded at once
    // through `imageLoader`.
    [[nodiscard]] static std::expected<StepData, ParseError> fromJson(const QJsonObject& json,
                                                                      ImageLoader& imageLoader);

    // The stored form keeps `content` as Base64 of its JSON text.
    [[nodiscard]] QJsonObject toStored() const;
    [[nodiscard]] static std::expected<StepData, DecodingError> fromStored(
        const QJsonObject& object, const QString& path = {});

    friend bool operator==(const StepData&, const StepData&) = default;
};

}  // namespace pathloom
