#pragma once

#include "network/Credential.h"
#include "network/CredentialError.h"

#include <QString>
#include <expected>
#include <optional>

namespace pathloom {

// Where the bearer token and its companions are kept, one credential per type text
// ("sessionToken", "refreshToken"). Implementations are thread-safe: network clients read on
// their queue while the root screen removes credentials on the main thread.
class CredentialsStoreProtocol {
public:
    virtual ~CredentialsStoreProtocol() = default;

    // The credential stored under `type`, or nothing. A stored item that is no credential is
    // deleted and reported as invalidInputData, apart from storingError (the store failed), so
    // that callers can tell a corrupt token from an unreachable store.
    [[nodiscard]] virtual std::expected<std::optional<Credential>, CredentialError> credential(
        const QString& type) const = 0;
    // Removes the credential stored under `type`; success when there is none.
    [[nodiscard]] virtual std::expected<void, CredentialError> removeCredential(
        const QString& type) const = 0;
    // Removes the session and the refresh token; the first failure, or nothing.
    [[nodiscard]] virtual std::optional<CredentialError> removeAllCredentials() const = 0;
    // Stores `credential` under its type, replacing what was there. For hosts and their sign-in
    // flows; the framework itself only reads and removes.
    [[nodiscard]] virtual std::expected<void, CredentialError> storeCredential(
        const Credential& credential) const = 0;

protected:
    CredentialsStoreProtocol() = default;
    CredentialsStoreProtocol(const CredentialsStoreProtocol&) = default;
    CredentialsStoreProtocol& operator=(const CredentialsStoreProtocol&) = default;
};

}  // namespace pathloom
