#pragma once

#include <QByteArray>
#include <QString>

namespace pathloom {

// SHA-256 digests, for example the cache keys of downloaded pictures. Thread-safe.
class Sha256 {
public:
    [[nodiscard]] static QByteArray hash(const QByteArray& data);
    // The digest as 64 lower-case hexadecimal digits.
    [[nodiscard]] static QString hexDigest(const QByteArray& data);
};

}  // namespace pathloom
