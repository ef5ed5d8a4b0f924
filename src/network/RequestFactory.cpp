#include "network/RequestFactory.h"

#include "network/UserAgent.h"

namespace pathloom {

QNetworkRequest RequestFactory::request(const QUrl& url) const {
    QNetworkRequest request(url);
    request.setTransferTimeout(static_cast<int>(m_transferTimeout.count()));
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    return request;
}

}  // namespace pathloom
