#pragma once

#include "documents/DecodingError.h"
#include "documents/ParseError.h"

#include <QJsonObject>
#include <QUrl>
#include <expected>

namespace pathloom {

// One server an app can talk to.
struct Server {
    qint64 id = 0;
    QUrl url;

    // The document form: "id" and "url" are required and the url must parse.
    [[nodiscard]] static std::expected<Server, ParseError> fromJson(const QJsonObject& json);

    [[nodiscard]] QJsonObject toStored() const;
    [[nodiscard]] static std::expected<Server, DecodingError> fromStored(const QJsonObject& object,
                                                                         const QString& path = {});

    friend bool operator==(const Server&, const Server&) = default;
};

}  // namespace pathloom
