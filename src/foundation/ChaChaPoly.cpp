#include "foundation/ChaChaPoly.h"

#include "foundation/OpenSslHandles.h"

#include <openssl/rand.h>
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

}  // namespace

std::expected<QByteArray, CryptoError> ChaChaPoly::seal(const QByteArray& key,
                                                        const QByteArray& plaintext) {
    QByteArray nonce(nonceSize, Qt::Uninitialized);
    if (RAND_bytes(openssl::bytes(nonce), static_cast<int>(nonceSize)) != 1) {
        return std::unexpected(CryptoError::underlyingFailure(openssl::lastError()));
    }
    return seal(key, nonce, plaintext, {});
}

std::expected<QByteArray, CryptoError> ChaChaPoly::seal(const QByteArray& key,
                                                        const QByteArray& nonce,
                                                        const QByteArray& plaintext,
                                                        const QByteArray& associatedData) {
    if (!fitsInt(plaintext) || !fitsInt(associatedData)) {
        return std::unexpected(CryptoError::incorrectParameterSize(u"input too large"_s));
    }
    auto context = makeContext(key, nonce, true);
    if (!context) {
        return std::unexpected(context.error());
    }
    QByteArray combined = nonce;
    combined.resize(nonceSize + plaintext.size() + tagSize);
    unsigned char* out = openssl::bytes(combined) + nonceSize;
    int written = 0;
    int finalWritten = 0;
    if (!addAssociatedData(context->get(), associatedData) ||
        EVP_CipherUpdate(context->get(), out, &written, openssl::bytes(plaintext),
                         static_cast<int>(plaintext.size())) != 1 ||
        EVP_CipherFinal_ex(context->get(), out + written, &finalWritten) != 1 ||
        EVP_CIPHER_CTX_ctrl(context->get(), EVP_CTRL_AEAD_GET_TAG, static_cast<int>(tagSize),
                            out + plaintext.size()) != 1) {
        return std::unexpected(CryptoError::underlyingFailure(openssl::lastError()));
    }
    return combined;
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
    const QByteArray ciphertext = combined.sliced(nonceSize, combined.size() - nonceSize - tagSize);
    QByteArray tag = combined.last(tagSize);
    QByteArray plaintext(ciphertext.size(), Qt::Uninitialized);
    int written = 0;
    if (!addAssociatedData(context->get(), associatedData) ||
        EVP_CipherUpdate(context->get(), openssl::bytes(plaintext), &written,
                         openssl::bytes(ciphertext), static_cast<int>(ciphertext.size())) != 1 ||
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
