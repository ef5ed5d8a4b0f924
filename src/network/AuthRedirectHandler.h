#pragma once

#include "network/AuthFlowResumer.h"

#include <functional>
#include <memory>
#include <utility>

namespace pathloom {

// What a sign-in flow calls with its resumer when it starts waiting for a redirect; the host
// supplies it, and the configuration manager hands it to every network client. Called on
// whatever thread the flow runs on.
class AuthRedirectHandler {
public:
    using Handler = std::function<void(std::shared_ptr<AuthFlowResumer>)>;

    explicit AuthRedirectHandler(Handler handler) : m_handler(std::move(handler)) {}

    [[nodiscard]] const Handler& handler() const { return m_handler; }

private:
    Handler m_handler;
};

}  // namespace pathloom
