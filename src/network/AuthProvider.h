#pragma once

#include "foundation/Error.h"
#include "network/AuthFlowResumer.h"
#include "network/Credential.h"

#include <expected>
#include <functional>
#include <memory>

namespace pathloom {

// Starts a sign-in that may leave the app and come back through a redirect URL.
class AuthProvider {
public:
    // Receives the flow's one result: the credential it obtained, or why it failed.
    using Completion = std::function<void(std::expected<Credential, Error>)>;

    virtual ~AuthProvider() = default;

    // Starts the flow and gives at once the resumer that will accept its redirect; the flow
    // calls `completion` later, once.
    [[nodiscard]] virtual std::shared_ptr<AuthFlowResumer> authenticate(Completion completion) = 0;

protected:
    AuthProvider() = default;
    AuthProvider(const AuthProvider&) = default;
    AuthProvider& operator=(const AuthProvider&) = default;
};

}  // namespace pathloom
