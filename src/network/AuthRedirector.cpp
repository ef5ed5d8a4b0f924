#include "network/AuthRedirector.h"

namespace pathloom {

AuthRedirectHandler AuthRedirector::authRedirectHandler(
    const std::shared_ptr<AuthRedirector>& redirector) {
    return AuthRedirectHandler(
        [weakRedirector = std::weak_ptr(redirector)](std::shared_ptr<AuthFlowResumer> resumer) {
            if (const auto redirector = weakRedirector.lock()) {
                redirector->setAuthFlowResumer(std::move(resumer));
            }
        });
}

bool AuthRedirector::handleAuthRedirect(const QUrl& url) {
    const auto resumer = authFlowResumer();
    if (!resumer || !resumer->resumeAuth(url)) {
        return false;
    }
    setAuthFlowResumer(nullptr);
    return true;
}

}  // namespace pathloom
