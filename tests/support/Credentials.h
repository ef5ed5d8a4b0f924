#pragma once

#include "InMemoryKeyStore.h"
#include "network/CredentialsStore.h"

#include <QString>
#include <memory>
#include <optional>

namespace pathloom::test {

// A credentials store over an in-memory key store, for network clients under test.
struct Credentials {
    std::shared_ptr<InMemoryKeyStore> keyStore;
    std::shared_ptr<const CredentialsStore> store;
};

// A store holding a session token with `token` as its value, or none.
[[nodiscard]] Credentials credentialsWithSessionToken(const std::optional<QString>& token);

}  // namespace pathloom::test
