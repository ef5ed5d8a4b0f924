#pragma once

// Internal to the crypto sources: owning handles for OpenSSL objects and the text of OpenSSL's
// last error. No public header includes this file, so OpenSSL types stay out of the API.

#include <openssl/bn.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/kdf.h>
#include <openssl/param_build.h>
#include <QByteArray>
#include <QString>
#include <memory>

namespace pathloom::openssl {

template <auto Free>
struct Deleter {
    template <typename T>
    void operator()(T* object) const {
        Free(object);
    }
};

using Pkey = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY_free>>;
using PkeyContext = std::unique_ptr<EVP_PKEY_CTX, Deleter<EVP_PKEY_CTX_free>>;
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, Deleter<EVP_CIPHER_CTX_free>>;
using Kdf = std::unique_ptr<EVP_KDF, Deleter<EVP_KDF_free>>;
using KdfContext = std::unique_ptr<EVP_KDF_CTX, Deleter<EVP_KDF_CTX_free>>;
using ParamBuilder = std::unique_ptr<OSSL_PARAM_BLD, Deleter<OSSL_PARAM_BLD_free>>;
using Params = std::unique_ptr<OSSL_PARAM, Deleter<OSSL_PARAM_free>>;
// Big numbers here hold private scalars, so they are wiped when freed.
using BigNumber = std::unique_ptr<BIGNUM, Deleter<BN_clear_free>>;

// The oldest error in OpenSSL's queue for this thread, after which the queue is emptied so that
// a later failure does not report a stale message.
inline QString lastError() {
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0) {
        return QStringLiteral("unknown OpenSSL error");
    }
    char text[256] = {};
    ERR_error_string_n(code, text, sizeof text);
    return QString::fromLatin1(text);
}

inline const unsigned char* bytes(const QByteArray& data) {
    return reinterpret_cast<const unsigned char*>(data.constData());
}

inline unsigned char* bytes(QByteArray& data) {
    return reinterpret_cast<unsigned char*>(data.data());
}

}  // namespace pathloom::openssl
