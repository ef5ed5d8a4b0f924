#pragma once

#include "network/CredentialError.h"

#include <QByteArray>
#include <QString>
#include <expected>
#include <optional>

namespace pathloom {

// Secret bytes kept under a text key in the protected key store. Implementations are
// thread-safe.
class SecurityStoreProtocol {
public:
    virtual ~SecurityStoreProtocol() = default;

    // The bytes stored under `key`, or nothing when there are none.
    [[nodiscard]] virtual std::expected<std::optional<QByteArray>, CredentialError> retrieve(
        const QString& key) const = 0;
    // Deletes the item under `key`; deleting what is not there is a storingError.
    [[nodiscard]] virtual std::expected<void, CredentialError> remove(const QString& key) const = 0;
    // Stores `bytes` under `key`, replacing what was there. The framework itself never writes.
    [[nodiscard]] virtual std::expected<void, CredentialError> write(
        const QString& key, const QByteArray& bytes) const = 0;

protected:
    SecurityStoreProtocol() = default;
    SecurityStoreProtocol(const SecurityStoreProtocol&) = default;
    SecurityStoreProtocol& operator=(const SecurityStoreProtocol&) = default;
};

}  // namespace pathloom
