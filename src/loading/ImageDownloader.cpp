#include "loading/ImageDownloader.h"

#include "foundation/CancellationToken.h"
#include "network/URLError.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <condition_variable>
#include <mutex>

namespace pathloom {

using namespace Qt::StringLiterals;

// One download. `cancelled` is raised from any thread; `reply` is touched only on the download
// thread.
struct ImageDownloader::Transfer {
    CancellationToken cancelled;
    QPointer<QNetworkReply> reply;
};

ImageDownloader::ImageDownloader(RequestFactory requests)
    : m_requests(requests),
      m_queue(DispatchQueue::serial(u"Pathloom.CachedImageLoader.download"_s)) {
    m_queue->sync([this] { m_network = new QNetworkAccessManager(); });
}

ImageDownloader::~ImageDownloader() {
    // Aborting finishes each transfer, so that a caller still waiting in fetchAndWait() is let go.
    m_queue->sync([network = m_network] {
        for (QNetworkReply* reply : network->findChildren<QNetworkReply*>()) {
            reply->abort();
        }
        delete network;
    });
}

Cancellable ImageDownloader::fetch(const QUrl& url, Completion completion) {
    auto transfer = std::make_shared<Transfer>();
    m_queue->async(
        [this, transfer, request = m_requests.request(url), completion = std::move(completion)] {
            if (transfer->cancelled.isCancelled()) {
                return;
            }
            QNetworkReply* reply = m_network->get(request);
            transfer->reply = reply;
            QObject::connect(reply, &QNetworkReply::finished, reply, [reply, transfer, completion] {
                reply->deleteLater();
                if (transfer->cancelled.isCancelled()) {
                    return;
                }
                completion(URLError::fromReply(*reply) ? std::nullopt
                                                       : std::optional(reply->readAll()));
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

std::optional<QByteArray> ImageDownloader::fetchAndWait(const QUrl& url) {
    if (m_queue->isCurrent()) {
        return std::nullopt;
    }
    struct Outcome {
        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
        std::optional<QByteArray> bytes;
    };
    auto outcome = std::make_shared<Outcome>();
    Cancellable transfer = fetch(url, [outcome](std::optional<QByteArray> bytes) {
        const std::lock_guard lock(outcome->mutex);
        outcome->bytes = std::move(bytes);
        outcome->done = true;
        outcome->ended.notify_all();
    });
    std::unique_lock lock(outcome->mutex);
    outcome->ended.wait(lock, [&] { return outcome->done; });
    transfer.release();
    return std::move(outcome->bytes);
}

}  // namespace pathloom
