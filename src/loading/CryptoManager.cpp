#include "loading/CryptoManager.h"

#include "foundation/Hkdf.h"
#include "foundation/P521PrivateKey.h"
#include "loading/KeyStoreError.h"
#include "loading/SymmetricKeyMemo.h"

namespace pathloom {

namespace {

constexpr qsizetype kSymmetricKeySize = 32;

}  // namespace

CryptoManager::CryptoManager(QString label, std::shared_ptr<KeyStore> keyStore)
    : m_label(std::move(label)),
      m_keyStore(std::move(keyStore)),
      m_derivedKeys(std::make_shared<SymmetricKeyMemo>()) {}

std::expected<QByteArray, Error> CryptoManager::symmetricKey() const {
    // Reading needs no lock; only the first use, which finds no key, takes one.
    auto stored = readStoredKeyBytes();
    if (!stored) {
        return std::unexpected(stored.error());
    }
    if (!*stored) {
        const std::expected<P521PrivateKey, Error> created = readOrCreatePrivateKey();
        if (!created) {
            return std::unexpected(created.error());
        }
        return derive(*created);
    }
    // The same bytes always derive the same key, and were checked as a key when first derived.
    if (std::optional<QByteArray> known = m_derivedKeys->keyFor(**stored)) {
        return std::move(*known);
    }
    const auto privateKey = P521PrivateKey::fromX963(**stored);
    if (!privateKey) {
        return std::unexpected(privateKey.error());
    }
    return derive(*privateKey);
}

std::expected<QByteArray, Error> CryptoManager::derive(const P521PrivateKey& privateKey) const {
    const auto secret = privateKey.sharedSecret(privateKey.publicKeyX963());
    if (!secret) {
        return std::unexpected(secret.error());
    }
    auto key = Hkdf::sha256(*secret, {}, {}, kSymmetricKeySize);
    if (!key) {
        return std::unexpected(key.error());
    }
    m_derivedKeys->remember(privateKey.x963Representation(), *key);
    return std::move(*key);
}

std::expected<std::optional<QByteArray>, Error> CryptoManager::readStoredKeyBytes() const {
    const auto match = m_keyStore->copyMatching({.itemClass = KeyStore::ItemClass::key,
                                                 .applicationLabel = m_label,
                                                 .keyType = KeyStore::KeyType::ellipticCurve,
                                                 .useDataProtectionKeychain = true,
                                                 .returnRef = true});
    if (match.status == KeyStore::itemNotFound) {
        return std::nullopt;
    }
    if (match.status != KeyStore::success) {
        return std::unexpected(KeyStoreError::readFailed(match.status));
    }
    if (!match.item || !match.item->key) {
        return std::unexpected(KeyStoreError::noKeyReturned());
    }
    auto representation = m_keyStore->exportKey(*match.item->key);
    if (!representation) {
        return std::unexpected(KeyStoreError{representation.error()});
    }
    return std::move(*representation);
}

std::expected<std::optional<P521PrivateKey>, Error> CryptoManager::readPrivateKey() const {
    const auto stored = readStoredKeyBytes();
    if (!stored) {
        return std::unexpected(stored.error());
    }
    if (!*stored) {
        return std::nullopt;
    }
    auto key = P521PrivateKey::fromX963(**stored);
    if (!key) {
        return std::unexpected(key.error());
    }
    return std::move(*key);
}

std::expected<P521PrivateKey, Error> CryptoManager::readOrCreatePrivateKey() const {
    // Reading again under the lock, then creating, is one step for every thread and process:
    // of two first uses at the same moment the second finds the key the first stored.
    std::optional<std::expected<P521PrivateKey, Error>> result;
    const auto status = m_keyStore->serialized([&] {
        auto stored = readPrivateKey();
        if (!stored) {
            result = std::unexpected(stored.error());
            return;
        }
        if (*stored) {
            result = std::move(**stored);
            return;
        }
        auto created = P521PrivateKey::generate();
        if (!created) {
            result = std::unexpected(created.error());
            return;
        }
        if (auto saved = storePrivateKey(*created); !saved) {
            result = std::unexpected(saved.error());
            return;
        }
        result = std::move(*created);
    });
    if (status != KeyStore::success || !result) {
        return std::unexpected(KeyStoreError::readFailed(status));
    }
    return std::move(*result);
}

std::expected<void, Error> CryptoManager::storePrivateKey(const P521PrivateKey& key) const {
    const auto platformKey = m_keyStore->createKey(
        key.x963Representation(), KeyStore::KeyType::ellipticCurve, KeyStore::KeyClass::privateKey);
    if (!platformKey) {
        return std::unexpected(KeyStoreError::unableToCreateKey());
    }
    const auto status = m_keyStore->add({.itemClass = KeyStore::ItemClass::key,
                                         .applicationLabel = m_label,
                                         .accessible = KeyStore::Accessibility::whenUnlocked,
                                         .useDataProtectionKeychain = true,
                                         .valueRef = *platformKey});
    if (status != KeyStore::success) {
        return std::unexpected(KeyStoreError::unableToStore(status));
    }
    return {};
}

}  // namespace pathloom
