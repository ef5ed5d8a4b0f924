#pragma once

#include <QNetworkRequest>
#include <QUrl>
#include <chrono>

namespace pathloom {

// Makes the requests that every HTTP client of the framework sends (the network client, the
// analytics worker and the image downloads): each carries the framework's User-Agent and fails
// with a time-out once it has gone `transferTimeout` without a byte sent or received. A value
// type: copy it freely.
class RequestFactory {
public:
    static constexpr std::chrono::milliseconds defaultTransferTimeout{60'000};

    explicit RequestFactory(std::chrono::milliseconds transferTimeout = defaultTransferTimeout)
        : m_transferTimeout(transferTimeout) {}

    [[nodiscard]] QNetworkRequest request(const QUrl& url) const;
    [[nodiscard]] std::chrono::milliseconds transferTimeout() const { return m_transferTimeout; }

private:
    std::chrono::milliseconds m_transferTimeout;
};

}  // namespace pathloom
