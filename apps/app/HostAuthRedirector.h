#pragma once

#include "network/AuthRedirector.h"

#include <mutex>

namespace pathloom {

// The app's receiver of sign-in redirects: keeps the resumer of the flow that waits for one, so
// that a link opened from the desktop can finish it. Flows may hand their resumer over from any
// thread; the mutex guards it.
class HostAuthRedirector : public AuthRedirector {
public:
    [[nodiscard]] std::shared_ptr<AuthFlowResumer> authFlowResumer() const override {
        const std::scoped_lock lock(m_mutex);
        return m_resumer;
    }
    void setAuthFlowResumer(std::shared_ptr<AuthFlowResumer> resumer) override {
        const std::scoped_lock lock(m_mutex);
        m_resumer = std::move(resumer);
    }

private:
    mutable std::mutex m_mutex;
    std::shared_ptr<AuthFlowResumer> m_resumer;
};

}  // namespace pathloom
