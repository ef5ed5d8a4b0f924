#include "network/CredentialsStore.h"

#include <tuple>

namespace pathloom {

CredentialsStore::CredentialsStore(std::shared_ptr<const SecurityStoreProtocol> securityStore)
    : m_securityStore(std::move(securityStore)) {}

std::expected<std::optional<Credential>, CredentialError> CredentialsStore::credential(
    const QString& type) const {
    const auto bytes = m_securityStore->retrieve(type);
    if (!bytes) {
        return std::unexpected(bytes.error());
    }
    if (!*bytes) {
        return std::nullopt;
    }
    auto decoded = Credential::fromJson(**bytes);
    if (!decoded) {
        // A corrupt item would fail every request until removed; whether the removal works
        // does not change the answer.
        std::ignore = m_securityStore->remove(type);
        return std::unexpected(CredentialError::invalidInputData());
    }
    return std::move(*decoded);
}

std::expected<void, CredentialError> CredentialsStore::removeCredential(const QString& type) const {
    const auto stored = credential(type);
    if (!stored) {
        return std::unexpected(stored.error());
    }
    if (!*stored) {
        return {};
    }
    // The item is deleted under the type it was asked for: the type written inside it may
    // differ, and deleting by that would leave this item in place.
    return m_securityStore->remove(type);
}

std::optional<CredentialError> CredentialsStore::removeAllCredentials() const {
    const auto session = removeCredential(Credential::sessionToken());
    const auto refresh = removeCredential(Credential::refreshToken());
    if (!session) {
        return session.error();
    }
    if (!refresh) {
        return refresh.error();
    }
    return std::nullopt;
}

std::expected<void, CredentialError> CredentialsStore::storeCredential(
    const Credential& credential) const {
    return m_securityStore->write(credential.type, credential.toJson());
}

}  // namespace pathloom
