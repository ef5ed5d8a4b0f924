#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>

namespace pathloom {

// One file the server asks the app to upload: the session key of the file result, the upload URL
// template and the HTTP method.
struct NetworkStepBinaryResponse {
    QString identifier;
    QString url;
    QString method;

    // From one entry of the server's "binary_urls": "identifier" and "url" are required texts;
    // "method" is upper-cased, POST when missing.
    [[nodiscard]] static std::optional<NetworkStepBinaryResponse> fromJson(const QJsonObject& json);
    [[nodiscard]] QJsonObject toJson() const;

    friend bool operator==(const NetworkStepBinaryResponse&,
                           const NetworkStepBinaryResponse&) = default;
};

}  // namespace pathloom
