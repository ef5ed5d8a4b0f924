#include "foundation/Hkdf.h"

#include "foundation/OpenSslHandles.h"

#include <openssl/core_names.h>
#include <vector>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kMaximumLength = 255 * 32;

// OpenSSL takes octet-string parameters through non-const pointers without writing to them.
OSSL_PARAM octetParameter(const char* name, const QByteArray& value) {
    return OSSL_PARAM_construct_octet_string(name, const_cast<char*>(value.constData()),
                                             static_cast<size_t>(value.size()));
}

}  // namespace

std::expected<QByteArray, CryptoError> Hkdf::sha256(const QByteArray& inputKeyMaterial,
                                                    const QByteArray& salt, const QByteArray& info,
                                                    qsizetype length) {
    if (length <= 0 || length > kMaximumLength) {
        return std::unexpected(
            CryptoError::incorrectParameterSize(u"HKDF output must be 1 to 8160 bytes"_s));
    }
    openssl::Kdf kdf(EVP_KDF_fetch(nullptr, "HKDF", nullptr));
    openssl::KdfContext context(kdf ? EVP_KDF_CTX_new(kdf.get()) : nullptr);
    if (!context) {
        return std::unexpected(CryptoError::underlyingFailure(openssl::lastError()));
    }
    char digest[] = "SHA256";
    std::vector<OSSL_PARAM> parameters{
        OSSL_PARAM_construct_utf8_string(OSSL_KDF_PARAM_DIGEST, digest, 0),
        octetParameter(OSSL_KDF_PARAM_KEY, inputKeyMaterial),
    };
    // HMAC pads a short key with zeros, so leaving the salt out is the same as an empty one.
    if (!salt.isEmpty()) {
        parameters.push_back(octetParameter(OSSL_KDF_PARAM_SALT, salt));
    }
    if (!info.isEmpty()) {
        parameters.push_back(octetParameter(OSSL_KDF_PARAM_INFO, info));
    }
    parameters.push_back(OSSL_PARAM_construct_end());

    QByteArray output(length, Qt::Uninitialized);
    if (EVP_KDF_derive(context.get(), openssl::bytes(output), static_cast<size_t>(length),
                       parameters.data()) != 1) {
        return std::unexpected(CryptoError::underlyingFailure(openssl::lastError()));
    }
    return output;
}

}  // namespace pathloom
