#pragma once

#include "network/CredentialsStoreProtocol.h"
#include "network/SecurityStoreProtocol.h"

#include <memory>

namespace pathloom {

// Credentials kept in their JSON storage form in a security store, under their type text.
// Thread-safe as its security store is.
class CredentialsStore : public CredentialsStoreProtocol {
public:
    explicit CredentialsStore(std::shared_ptr<const SecurityStoreProtocol> securityStore);

    [[nodiscard]] std::expected<std::optional<Credential>, CredentialError> credential(
        const QString& type) const override;
    [[nodiscard]] std::expected<void, CredentialError> removeCredential(
        const QString& type) const override;
    [[nodiscard]] std::optional<CredentialError> removeAllCredentials() const override;
    [[nodiscard]] std::expected<void, CredentialError> storeCredential(
        const Credential& credential) const override;

private:
    std::shared_ptr<const SecurityStoreProtocol> m_securityStore;
};

}  // namespace pathloom
