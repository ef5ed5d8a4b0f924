#include "network/AuthProviderImplementation.h"

namespace pathloom {

AuthProviderImplementation::AuthProviderImplementation(Start start) : m_start(std::move(start)) {}

std::shared_ptr<AuthFlowResumer> AuthProviderImplementation::authenticate(Completion completion) {
    return m_start(std::move(completion));
}

}  // namespace pathloom
