#pragma once

#include "foundation/Error.h"
#include "foundation/KeyStore.h"

#include <QByteArray>
#include <QString>
#include <expected>
#include <memory>

namespace pathloom {

class P521PrivateKey;

// Supplies the symmetric key of the encrypted stores. The key is derived from a P-521 private
// key kept in the key store under `label`, created on first use; two managers with one label
// and one key store give the same key. Holds no changing state; thread-safe as its key store is.
class CryptoManager {
public:
    CryptoManager(QString label, std::shared_ptr<KeyStore> keyStore);

    [[nodiscard]] const QString& label() const { return m_label; }

    // The 32-byte key: HKDF-SHA-256 (empty salt and info) of the ECDH secret of the private key
    // with its own public key. Fails with a KeyStoreError, or a CryptoError when the stored key
    // does not parse.
    [[nodiscard]] std::expected<QByteArray, Error> symmetricKey() const;

private:
    [[nodiscard]] std::expected<std::optional<P521PrivateKey>, Error> readPrivateKey() const;
    [[nodiscard]] std::expected<P521PrivateKey, Error> readOrCreatePrivateKey() const;
    [[nodiscard]] std::expected<void, Error> storePrivateKey(const P521PrivateKey& key) const;

    QString m_label;
    std::shared_ptr<KeyStore> m_keyStore;
};

}  // namespace pathloom
