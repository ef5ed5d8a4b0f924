#pragma once

#include "network/AuthProvider.h"

namespace pathloom {

// An AuthProvider made from a function that starts the flow and gives its resumer.
class AuthProviderImplementation : public AuthProvider {
public:
    using Start = std::function<std::shared_ptr<AuthFlowResumer>(Completion)>;

    explicit AuthProviderImplementation(Start start);

    [[nodiscard]] std::shared_ptr<AuthFlowResumer> authenticate(Completion completion) override;

private:
    Start m_start;
};

}  // namespace pathloom
