#pragma once

#include "foundation/Error.h"
#include "foundation/KeyStore.h"

#include <QByteArray>
#include <QString>
#include <expected>
#include <memory>
#include <optional>

namespace pathloom {

class P521PrivateKey;
class SymmetricKeyMemo;

// Supplies the symmetric key of the encrypted stores. The key is derived from a P-521 private
// key kept in the key store under `label`, created on first use; two managers with one label
// and one key store give the same key. The private key is read from the store on every call, so
// a replaced or deleted key takes effect at once; the derivation is remembered for the exact
// bytes read (shared by copies of the manager), which spares the key agreement on every use.
// Thread-safe as its key store is.
class CryptoManager {
public:
    CryptoManager(QString label, std::shared_ptr<KeyStore> keyStore);

    [[nodiscard]] const QString& label() const { return m_label; }

    // The 32-byte key: HKDF-SHA-256 (empty salt and info) of the ECDH secret of the private key
    // with its own public key. Fails with a KeyStoreError, or a CryptoError when the stored key
    // does not parse.
    [[nodiscard]] std::expected<QByteArray, Error> symmetricKey() const;

private:
    // The X9.63 bytes of the stored private key as the key store exports them; nothing when the
    // store has none.
    [[nodiscard]] std::expected<std::optional<QByteArray>, Error> readStoredKeyBytes() const;
    [[nodiscard]] std::expected<std::optional<P521PrivateKey>, Error> readPrivateKey() const;
    [[nodiscard]] std::expected<QByteArray, Error> derive(const P521PrivateKey& privateKey) const;
    [[nodiscard]] std::expected<P521PrivateKey, Error> readOrCreatePrivateKey() const;
    [[nodiscard]] std::expected<void, Error> storePrivateKey(const P521PrivateKey& key) const;

    QString m_label;
    std::shared_ptr<KeyStore> m_keyStore;
    std::shared_ptr<SymmetricKeyMemo> m_derivedKeys;
};

}  // namespace pathloom
