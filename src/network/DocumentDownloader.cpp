#include "network/DocumentDownloader.h"

#include "foundation/CancellationToken.h"
#include "foundation/QueuedWork.h"
#include "network/URLError.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>

namespace pathloom {

using namespace Qt::StringLiterals;

// One download. `cancelled` is raised from any thread; the rest is touched only on the queue's
// thread.
struct DocumentDownloader::Transfer {
    CancellationToken cancelled;
    QPointer<QNetworkReply> reply;
    QByteArray body;
    bool tooLarge = false;
};

bool DocumentDownloader::accepts(const QUrl& url) {
    // Anything else would let a document's address read local files (file:) or reach other
    // services.
    return url.isValid() && (url.scheme() == u"http"_s || url.scheme() == u"https"_s) &&
           !url.host().isEmpty();
}

DocumentDownloader::DocumentDownloader(std::shared_ptr<DispatchQueue> queue,
                                       RequestFactory requests, qint64 maxBytes)
    : m_queue(std::move(queue)), m_requests(requests), m_maxBytes(maxBytes) {
    m_queue->sync([this] { m_network = new QNetworkAccessManager(); });
}

DocumentDownloader::~DocumentDownloader() {
    // Aborting finishes each transfer, so that a handle still held reports its end.
    m_queue->sync([network = m_network] {
        for (QNetworkReply* reply : network->findChildren<QNetworkReply*>()) {
            reply->abort();
        }
        delete network;
    });
}

Cancellable DocumentDownloader::fetch(const QUrl& url, std::shared_ptr<DispatchQueue> target,
                                      Completion completion) {
    auto transfer = std::make_shared<Transfer>();
    auto report = [transfer, target = std::move(target),
                   completion = std::move(completion)](Result result) {
        deliverUnlessCancelled(target, transfer->cancelled,
                               [completion, result = std::move(result)] { completion(result); });
    };
    if (!accepts(url)) {
        report(std::unexpected(URLError(URLError::badURL)));
        return transfer->cancelled.handle();
    }
    m_queue->async([network = m_network, transfer, report = std::move(report),
                    maxBytes = m_maxBytes, request = m_requests.request(url)] {
        if (transfer->cancelled.isCancelled()) {
            return;
        }
        QNetworkReply* reply = network->get(request);
        transfer->reply = reply;
        const auto refuse = [reply, transfer] {
            transfer->tooLarge = true;
            reply->abort();
        };
        // A length announced past the limit is refused before any of the body comes.
        QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, refuse, maxBytes] {
            const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && length.toLongLong() > maxBytes) {
                refuse();
            }
        });
        // Counted as it arrives, decompressed: a body without a length, or a small compressed
        // one, can still grow past the limit.
        QObject::connect(reply, &QNetworkReply::readyRead, reply,
                         [reply, transfer, refuse, maxBytes] {
                             transfer->body += reply->readAll();
                             if (transfer->body.size() > maxBytes) {
                                 refuse();
                             }
                         });
        QObject::connect(reply, &QNetworkReply::finished, reply, [reply, transfer, report] {
            reply->deleteLater();
            if (transfer->cancelled.isCancelled()) {
                return;
            }
            if (transfer->tooLarge) {
                report(std::unexpected(URLError(URLError::dataLengthExceedsMaximum)));
                return;
            }
            if (std::optional<URLError> error = URLError::fromReply(*reply)) {
                report(std::unexpected(*error));
                return;
            }
            transfer->body += reply->readAll();
            report(std::exchange(transfer->body, {}));
        });
    });
    return Cancellable([transfer, queue = m_queue] {
        transfer->cancelled.cancel();
        queue->async([transfer] {
            if (transfer->reply) {
                transfer->reply->abort();
            }
        });
    });
}

}  // namespace pathloom
