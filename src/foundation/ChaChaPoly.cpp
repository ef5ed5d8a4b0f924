#include "foundation/ChaChaPoly.h"

#include "foundation/OpenSslHandles.h"

#include <openssl/rand.h>
#include <cstring>
#include <limits>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// OpenSSL counts lengths in int.
bool fitsInt(const QByteArray& data) { return data.size() <= std::numeric_limits<int>::max(); }

std::expected<openssl::CipherContext, CryptoError> makeContext(const QByteArray& key,
                                                               const QByteArray& nonce,
                                                               bool encrypt) {
    if (key.size() != ChaChaPoly::keySize) {
        return std::unexpected(CryptoError::incorrectParameterSize(u"key must be 32 bytes"_s));
    }
    if (nonce.size() != ChaChaPoly::nonceSize) {
        return std::unexpected(CryptoError::incorrectParameterSize(u"nonce must be 12 bytes"_s));
    }
    openssl::CipherContext context(EVP_CIPHER_CTX_new());
    if (!context ||
        EVP_CipherInit_ex(context.get(), EVP_chacha20_poly1305(), nullptr, nullptr, nullptr,
                          encrypt ? 1 : 0) != 1 ||
        EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_AEAD_SET_IVLEN,
                            static_cast<int>(ChaChaPoly::nonceSize), nullptr) != 1 ||
        EVP_CipherInit_ex(context.get(), nullptr, nullptr, openssl::bytes(key),
                          openssl::bytes(nonce), encrypt ? 1 : 0) != 1) {
        return std::unexpected(CryptoError::underlyingFailure(openssl::lastError()));
    }
    return context;
}

bool addAssociatedData(EVP_CIPHER_CTX* context, const QByteArray& associatedData) {
    if (associatedData.isEmpty()) {
        return true;
    }
    int length = 0;
    return EVP_CipherUpdate(context, nullptr, &length, openssl::bytes(associatedData),
                            static_cast<int>(associatedData.size())) == 1;
}

// Encrypts, in place, the plaintext that `box` holds between its nonce and the room left for the
// tag, then writes the tag.
std::expected<void, CryptoError> sealBox(const QByteArray& key, QByteArray& box,
                                         const QByteArray& associatedData) {
    const qsizetype size = box.size() - ChaChaPoly::nonceSize - ChaChaPoly::tagSize;
    if (size > std::numeric_limits<int>::max() || !fitsInt(associatedData)) {
        return std::unexpected(CryptoError::incorrectParameterSize(u"input too large"_s));
    }
    auto context = makeContext(key, box.first(ChaChaPoly::nonceSize), true);
    if (!context) {
        return std::unexpected(context.error());
    }
    // The cipher may write over its own input: both pointers are the same.
    unsigned char* text = openssl::bytes(box) + ChaChaPoly::nonceSize;
    int written = 0;
    int finalWritten = 0;
    if (!addAssociatedData(context->get(), associatedData) ||
        EVP_CipherUpdate(context->get(), text, &written, text, static_cast<int>(size)) != 1 ||
        EVP_CipherFinal_ex(context->get(), text + written, &finalWritten) != 1 ||
        EVP_CIPHER_CTX_ctrl(context->get(), EVP_CTRL_AEAD_GET_TAG,
                            static_cast<int>(ChaChaPoly::tagSize), text + size) != 1) {
        return std::unexpected(CryptoError::underlyingFailure(openssl::lastError()));
    }
    return {};
}

std::expected<QByteArray, CryptoError> randomNonce() {
    QByteArray nonce(ChaChaPoly::nonceSize, Qt::Uninitialized);
    if (RAND_bytes(openssl::bytes(nonce), static_cast<int>(ChaChaPoly::nonceSize)) != 1) {
        return std::unexpected(CryptoError::underlyingFailure(openssl::lastError()));
    }
    return nonce;
}

}  // namespace

std::expected<QByteArray, CryptoError> ChaChaPoly::seal(const QByteArray& key,
                                                        const QByteArray& plaintext) {
    const auto nonce = randomNonce();
    if (!nonce) {
        return std::unexpected(nonce.error());
    }
    return seal(key, *nonce, plaintext, {});
}

std::expected<QByteArray, CryptoError> ChaChaPoly::seal(const QByteArray& key,
                                                        const QByteArray& nonce,
                                                        const QByteArray& plaintext,
                                                        const QByteArray& associatedData) {
    // Key and nonce are checked before the plaintext is copied.
    if (auto context = makeContext(key, nonce, true); !context) {
        return std::unexpected(context.error());
    }
    if (!fitsInt(plaintext) || !fitsInt(associatedData)) {
        return std::unexpected(CryptoError::incorrectParameterSize(u"input too large"_s));
    }
    QByteArray box;
    box.reserve(nonceSize + plaintext.size() + tagSize);
    box.append(nonce).append(plaintext).resize(nonceSize + plaintext.size() + tagSize);
    if (auto sealed = sealBox(key, box, associatedData); !sealed) {
        return std::unexpected(sealed.error());
    }
    return box;
}

std::expected<QByteArray, CryptoError> ChaChaPoly::sealInPlace(const QByteArray& key,
                                                               QByteArray plaintext) {
    const auto nonce = randomNonce();
    if (!nonce) {
        return std::unexpected(nonce.error());
    }
    if (!fitsInt(plaintext)) {
        return std::unexpected(CryptoError::incorrectParameterSize(u"input too large"_s));
    }
    const qsizetype size = plaintext.size();
    QByteArray& box = plaintext;
    box.resize(nonceSize + size + tagSize);
    std::memmove(box.data() + nonceSize, box.constData(), size);
    std::memcpy(box.data(), nonce->constData(), nonceSize);
    if (auto sealed = sealBox(key, box, {}); !sealed) {
        return std::unexpected(sealed.error());
    }
    return box;
}

std::expected<QByteArray, CryptoError> ChaChaPoly::open(const QByteArray& key,
                                                        const QByteArray& combined,
                                                        const QByteArray& associatedData) {
    if (combined.size() < nonceSize + tagSize) {
        return std::unexpected(
            CryptoError::incorrectParameterSize(u"sealed box shorter than 28 bytes"_s));
    }
    if (!fitsInt(combined) || !fitsInt(associatedData)) {
        return std::unexpected(CryptoError::incorrectParameterSize(u"input too large"_s));
    }
    auto context = makeContext(key, combined.first(nonceSize), false);
    if (!context) {
        return std::unexpected(context.error());
    }
    // Read where it lies: a copy of the ciphertext would be as large as the entry.
    const unsigned char* ciphertext = openssl::bytes(combined) + nonceSize;
    QByteArray tag = combined.last(tagSize);
    QByteArray plaintext(combined.size() - nonceSize - tagSize, Qt::Uninitialized);
    int written = 0;
    if (!addAssociatedData(context->get(), associatedData) ||
        EVP_CipherUpdate(context->get(), openssl::bytes(plaintext), &written, ciphertext,
                         static_cast<int>(plaintext.size())) != 1 ||
        EVP_CIPHER_CTX_ctrl(context->get(), EVP_CTRL_AEAD_SET_TAG, static_cast<int>(tagSize),
                            openssl::bytes(tag)) != 1) {
        return std::unexpected(CryptoError::underlyingFailure(openssl::lastError()));
    }
    int finalWritten = 0;
    if (EVP_CipherFinal_ex(context->get(), openssl::bytes(plaintext) + written, &finalWritten) !=
        1) {
        ERR_clear_error();
        return std::unexpected(CryptoError::authenticationFailure());
    }
    return plaintext;
}

}  // namespace pathloom
