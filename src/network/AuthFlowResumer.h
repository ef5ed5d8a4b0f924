#pragma once

#include <QUrl>

namespace pathloom {

// A sign-in flow waiting for the redirect URL that finishes it. Held by shared pointer.
class AuthFlowResumer {
public:
    virtual ~AuthFlowResumer() = default;

    // Whether `url` belongs to the waiting flow and was consumed by it.
    [[nodiscard]] virtual bool resumeAuth(const QUrl& url) = 0;

protected:
    AuthFlowResumer() = default;
    AuthFlowResumer(const AuthFlowResumer&) = default;
    AuthFlowResumer& operator=(const AuthFlowResumer&) = default;
};

}  // namespace pathloom
