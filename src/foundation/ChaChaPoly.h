#pragma once

#include "foundation/CryptoError.h"

#include <QByteArray>
#include <expected>

namespace pathloom {

// ChaCha20-Poly1305 authenticated encryption (RFC 8439) in the combined form that the encrypted
// stores write: the 12-byte nonce, the ciphertext, then the 16-byte tag. Stateless and
// thread-safe.
class ChaChaPoly {
public:
    static constexpr qsizetype keySize = 32;
    static constexpr qsizetype nonceSize = 12;
    static constexpr qsizetype tagSize = 16;

    // Seals under a fresh random nonce.
    [[nodiscard]] static std::expected<QByteArray, CryptoError> seal(const QByteArray& key,
                                                                     const QByteArray& plaintext);
    // Seals under the given nonce. A nonce must never be used twice with one key; outside
    // known-answer tests, use seal().
    [[nodiscard]] static std::expected<QByteArray, CryptoError> seal(
        const QByteArray& key, const QByteArray& nonce, const QByteArray& plaintext,
        const QByteArray& associatedData);
    // Seals under a fresh random nonce in the plaintext's own buffer, so that a large entry is
    // not held twice; the box is what seal() gives.
    [[nodiscard]] static std::expected<QByteArray, CryptoError> sealInPlace(const QByteArray& key,
                                                                            QByteArray plaintext);
    // Verifies the tag and decrypts. A combined form shorter than nonce and tag is refused.
    [[nodiscard]] static std::expected<QByteArray, CryptoError> open(
        const QByteArray& key, const QByteArray& combined, const QByteArray& associatedData = {});
};

}  // namespace pathloom
