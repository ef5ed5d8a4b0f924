#pragma once

#include "foundation/CryptoError.h"

#include <QByteArray>
#include <expected>

namespace pathloom {

// HKDF key derivation (RFC 5869) over SHA-256. Stateless and thread-safe.
class Hkdf {
public:
    // `length` bytes of output keying material; at most 255 × 32 bytes. An empty salt stands
    // for a block of zero bytes, as RFC 5869 says.
    [[nodiscard]] static std::expected<QByteArray, CryptoError> sha256(
        const QByteArray& inputKeyMaterial, const QByteArray& salt, const QByteArray& info,
        qsizetype length);
};

}  // namespace pathloom
