#pragma once

#include "network/AuthFlowResumer.h"
#include "network/AuthRedirectHandler.h"

#include <QUrl>
#include <memory>

namespace pathloom {

// The host's object that receives redirect URLs (its application or scene delegate, say) and
// keeps the resumer of the flow that waits for one. The host calls handleAuthRedirect() and
// flows call the handler; where both can happen on different threads, the implementation of
// the resumer property guards it.
class AuthRedirector {
public:
    virtual ~AuthRedirector() = default;

    [[nodiscard]] virtual std::shared_ptr<AuthFlowResumer> authFlowResumer() const = 0;
    virtual void setAuthFlowResumer(std::shared_ptr<AuthFlowResumer> resumer) = 0;

    // A handler that stores the resumer it receives into `redirector`. It holds the redirector
    // weakly: once the redirector is gone, calling it does nothing.
    [[nodiscard]] static AuthRedirectHandler authRedirectHandler(
        const std::shared_ptr<AuthRedirector>& redirector);

    // Passes `url` to the stored resumer. When the resumer consumes it, the resumer is dropped
    // (one successful redirect each) and the answer is true; otherwise the resumer stays for a
    // later URL and the answer is false, as it is when no resumer is stored.
    [[nodiscard]] bool handleAuthRedirect(const QUrl& url);

protected:
    AuthRedirector() = default;
    AuthRedirector(const AuthRedirector&) = default;
    AuthRedirector& operator=(const AuthRedirector&) = default;
};

}  // namespace pathloom
