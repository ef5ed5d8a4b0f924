#include "network/SecurityStore.h"

#include "foundation/KeyStore.h"

namespace pathloom {

SecurityStore::SecurityStore(std::shared_ptr<KeyStore> keyStore)
    : m_keyStore(std::move(keyStore)) {}

std::expected<std::optional<QByteArray>, CredentialError> SecurityStore::retrieve(
    const QString& key) const {
    const auto match = m_keyStore->copyMatching({.itemClass = KeyStore::ItemClass::genericPassword,
                                                 .generic = key,
                                                 .returnAttributes = true,
                                                 .returnData = true});
    if (match.status == KeyStore::itemNotFound) {
        return std::nullopt;
    }
    // Only a missing item means "no credential": a locked or failing store must not pass for
    // an empty one, or removing every credential would report success and remove nothing.
    if (match.status != KeyStore::success || !match.item || !match.item->attributes ||
        !match.item->data) {
        return std::unexpected(CredentialError::storingError());
    }
    return match.item->data;
}

std::expected<void, CredentialError> SecurityStore::remove(const QString& key) const {
    const auto status =
        m_keyStore->remove({.itemClass = KeyStore::ItemClass::genericPassword, .generic = key});
    if (status != KeyStore::success) {
        return std::unexpected(CredentialError::storingError());
    }
    return {};
}

std::expected<void, CredentialError> SecurityStore::write(const QString& key,
                                                          const QByteArray& bytes) const {
    const KeyStore::Attributes query{.itemClass = KeyStore::ItemClass::genericPassword,
                                     .generic = key};
    const auto removed = m_keyStore->remove(query);
    if (removed != KeyStore::success && removed != KeyStore::itemNotFound) {
        return std::unexpected(CredentialError::storingError());
    }
    KeyStore::Attributes item = query;
    item.valueData = bytes;
    if (m_keyStore->add(item) != KeyStore::success) {
        return std::unexpected(CredentialError::storingError());
    }
    return {};
}

}  // namespace pathloom
