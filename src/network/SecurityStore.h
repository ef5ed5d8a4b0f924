#pragma once

#include "network/SecurityStoreProtocol.h"

#include <memory>

namespace pathloom {

class KeyStore;

// Secret bytes kept as generic-password items of a key store, one per key, the key being the
// item's generic attribute. Thread-safe as its key store is.
class SecurityStore : public SecurityStoreProtocol {
public:
    explicit SecurityStore(std::shared_ptr<KeyStore> keyStore);

    // Nothing when no item exists; a storingError when the key store fails otherwise or the
    // item holds no bytes.
    [[nodiscard]] std::expected<std::optional<QByteArray>, CredentialError> retrieve(
        const QString& key) const override;
    [[nodiscard]] std::expected<void, CredentialError> remove(const QString& key) const override;
    // Deletes the old item, then adds the new one.
    [[nodiscard]] std::expected<void, CredentialError> write(
        const QString& key, const QByteArray& bytes) const override;

private:
    std::shared_ptr<KeyStore> m_keyStore;
};

}  // namespace pathloom
