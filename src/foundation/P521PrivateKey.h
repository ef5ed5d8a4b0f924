#pragma once

#include "foundation/CryptoError.h"

#include <QByteArray>
#include <expected>
#include <utility>

namespace pathloom {

// A P-521 key-agreement private key, kept as its ANSI X9.63 representation
// (0x04 ‖ X ‖ Y ‖ K, 199 bytes), which is also how key stores hold it. Every value is a valid key:
// the representation is checked when the key is made. Immutable and thread-safe.
class P521PrivateKey {
public:
    static constexpr qsizetype coordinateSize = 66;
    static constexpr qsizetype publicKeySize = 1 + 2 * coordinateSize;
    static constexpr qsizetype x963Size = publicKeySize + coordinateSize;

    // A new random key whose public key is compact-representable (its Y is the smaller of the
    // two roots), as compact key generation makes them.
    [[nodiscard]] static std::expected<P521PrivateKey, CryptoError> generate();
    // The key of an X9.63 representation; refuses one of the wrong size or format, a point off
    // the curve and a scalar that does not belong to the point.
    [[nodiscard]] static std::expected<P521PrivateKey, CryptoError> fromX963(
        const QByteArray& representation);

    [[nodiscard]] const QByteArray& x963Representation() const { return m_representation; }
    // The public key as an uncompressed point: 0x04 ‖ X ‖ Y.
    [[nodiscard]] QByteArray publicKeyX963() const { return m_representation.first(publicKeySize); }
    // The ECDH shared secret (the X coordinate, 66 bytes) with a peer's uncompressed public key.
    [[nodiscard]] std::expected<QByteArray, CryptoError> sharedSecret(
        const QByteArray& peerPublicKeyX963) const;

private:
    explicit P521PrivateKey(QByteArray representation)
        : m_representation(std::move(representation)) {}

    QByteArray m_representation;
};

}  // namespace pathloom
