#include "foundation/P521PrivateKey.h"

#include "foundation/OpenSslHandles.h"

#include <openssl/core_names.h>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr char kGroup[] = "P-521";

std::unexpected<CryptoError> opensslFailure() {
    return std::unexpected(CryptoError::underlyingFailure(openssl::lastError()));
}

// A key from its group, public point and, when `privateScalar` is given, private scalar.
std::expected<openssl::Pkey, CryptoError> makeKey(const QByteArray& publicPoint,
                                                  const QByteArray* privateScalar) {
    openssl::ParamBuilder builder(OSSL_PARAM_BLD_new());
    openssl::BigNumber scalar;
    if (privateScalar) {
        scalar.reset(BN_bin2bn(openssl::bytes(*privateScalar),
                               static_cast<int>(privateScalar->size()), nullptr));
    }
    if (!builder || (privateScalar && !scalar) ||
        OSSL_PARAM_BLD_push_utf8_string(builder.get(), OSSL_PKEY_PARAM_GROUP_NAME, kGroup, 0) !=
            1 ||
        OSSL_PARAM_BLD_push_octet_string(builder.get(), OSSL_PKEY_PARAM_PUB_KEY,
                                         publicPoint.constData(),
                                         static_cast<size_t>(publicPoint.size())) != 1 ||
        (scalar &&
         OSSL_PARAM_BLD_push_BN(builder.get(), OSSL_PKEY_PARAM_PRIV_KEY, scalar.get()) != 1)) {
        return opensslFailure();
    }
    openssl::Params parameters(OSSL_PARAM_BLD_to_param(builder.get()));
    openssl::PkeyContext context(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
    if (!parameters || !context || EVP_PKEY_fromdata_init(context.get()) != 1) {
        return opensslFailure();
    }
    EVP_PKEY* key = nullptr;
    const int selection = privateScalar ? EVP_PKEY_KEYPAIR : EVP_PKEY_PUBLIC_KEY;
    if (EVP_PKEY_fromdata(context.get(), &key, selection, parameters.get()) != 1) {
        return std::unexpected(CryptoError::invalidKeyRepresentation(openssl::lastError()));
    }
    return openssl::Pkey(key);
}

std::expected<openssl::Pkey, CryptoError> makeCheckedKeyPair(const QByteArray& representation) {
    const QByteArray scalar = representation.sliced(P521PrivateKey::publicKeySize);
    auto key = makeKey(representation.first(P521PrivateKey::publicKeySize), &scalar);
    if (!key) {
        return key;
    }
    // The full check: the point is on the curve and the scalar is in range and yields it.
    openssl::PkeyContext context(EVP_PKEY_CTX_new_from_pkey(nullptr, key->get(), nullptr));
    if (!context) {
        return opensslFailure();
    }
    if (EVP_PKEY_check(context.get()) != 1) {
        return std::unexpected(CryptoError::invalidKeyRepresentation(openssl::lastError()));
    }
    return key;
}

std::expected<QByteArray, CryptoError> representationOf(EVP_PKEY* key) {
    QByteArray representation(P521PrivateKey::x963Size, Qt::Uninitialized);
    size_t publicLength = 0;
    BIGNUM* rawScalar = nullptr;
    if (EVP_PKEY_get_octet_string_param(key, OSSL_PKEY_PARAM_PUB_KEY,
                                        openssl::bytes(representation),
                                        P521PrivateKey::publicKeySize, &publicLength) != 1 ||
        EVP_PKEY_get_bn_param(key, OSSL_PKEY_PARAM_PRIV_KEY, &rawScalar) != 1) {
        return opensslFailure();
    }
    const openssl::BigNumber scalar(rawScalar);
    if (publicLength != P521PrivateKey::publicKeySize ||
        BN_bn2binpad(scalar.get(), openssl::bytes(representation) + P521PrivateKey::publicKeySize,
                     P521PrivateKey::coordinateSize) != P521PrivateKey::coordinateSize) {
        return std::unexpected(CryptoError::underlyingFailure(u"unexpected P-521 key encoding"_s));
    }
    return representation;
}

// For p = 2^521 − 1, p − Y is Y with all 521 bits flipped, so Y ≤ p − Y exactly when bit 520 of
// Y, the lowest bit of its first byte, is clear.
bool isCompactRepresentable(const QByteArray& representation) {
    const auto firstByteOfY =
        static_cast<unsigned char>(representation.at(1 + P521PrivateKey::coordinateSize));
    return (firstByteOfY & 0x01) == 0;
}

}  // namespace

std::expected<P521PrivateKey, CryptoError> P521PrivateKey::generate() {
    // Half of all keys qualify, so a handful of tries is all but certain to find one.
    for (;;) {
        const openssl::Pkey key(EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", kGroup));
        if (!key) {
            return opensslFailure();
        }
        auto representation = representationOf(key.get());
        if (!representation) {
            return std::unexpected(representation.error());
        }
        if (isCompactRepresentable(*representation)) {
            return P521PrivateKey(std::move(*representation));
        }
    }
}

std::expected<P521PrivateKey, CryptoError> P521PrivateKey::fromX963(
    const QByteArray& representation) {
    if (representation.size() != x963Size) {
        return std::unexpected(CryptoError::invalidKeyRepresentation(
            u"a P-521 private key has %1 bytes, not %2"_s.arg(x963Size).arg(
                representation.size())));
    }
    if (representation.at(0) != 0x04) {
        return std::unexpected(
            CryptoError::invalidKeyRepresentation(u"the public point is not uncompressed"_s));
    }
    auto key = makeCheckedKeyPair(representation);
    if (!key) {
        return std::unexpected(key.error());
    }
    return P521PrivateKey(representation);
}

std::expected<QByteArray, CryptoError> P521PrivateKey::sharedSecret(
    const QByteArray& peerPublicKeyX963) const {
    if (peerPublicKeyX963.size() != publicKeySize) {
        return std::unexpected(CryptoError::invalidKeyRepresentation(
            u"a P-521 public key has %1 bytes"_s.arg(publicKeySize)));
    }
    const QByteArray scalar = m_representation.sliced(publicKeySize);
    auto own = makeKey(publicKeyX963(), &scalar);
    if (!own) {
        return std::unexpected(own.error());
    }
    auto peer = makeKey(peerPublicKeyX963, nullptr);
    if (!peer) {
        return std::unexpected(peer.error());
    }
    openssl::PkeyContext context(EVP_PKEY_CTX_new_from_pkey(nullptr, own->get(), nullptr));
    size_t length = 0;
    if (!context || EVP_PKEY_derive_init(context.get()) != 1) {
        return opensslFailure();
    }
    // Validating the peer refuses a point off the curve before it meets the private scalar.
    if (EVP_PKEY_derive_set_peer_ex(context.get(), peer->get(), 1) != 1) {
        return std::unexpected(CryptoError::invalidKeyRepresentation(openssl::lastError()));
    }
    if (EVP_PKEY_derive(context.get(), nullptr, &length) != 1) {
        return opensslFailure();
    }
    QByteArray secret(static_cast<qsizetype>(length), Qt::Uninitialized);
    if (EVP_PKEY_derive(context.get(), openssl::bytes(secret), &length) != 1) {
        return opensslFailure();
    }
    secret.truncate(static_cast<qsizetype>(length));
    return secret;
}

}  // namespace pathloom
