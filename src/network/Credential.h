#pragma once

#include "documents/DecodingError.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <expected>

namespace pathloom {

// A stored authentication token, as the host or its sign-in flow writes it into the key store:
// which token it is, the token itself (sent as "Bearer <value>") and when it expires. The
// expiry is kept, never compared with the clock.
struct Credential {
    QString type;
    QString value;
    QDateTime expirationDate;

    // The token types the framework knows.
    [[nodiscard]] static QString sessionToken();
    [[nodiscard]] static QString refreshToken();

    // The storage form: a JSON object with "type", "value" and "expirationDate", the date as
    // seconds since 2001-01-01T00:00:00Z.
    [[nodiscard]] QByteArray toJson() const;
    // Reads the storage form; all three keys are required.
    [[nodiscard]] static std::expected<Credential, DecodingError> fromJson(const QByteArray& bytes);

    friend bool operator==(const Credential&, const Credential&) = default;
};

}  // namespace pathloom
