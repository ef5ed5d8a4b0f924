#pragma once

#include "foundation/Cancellable.h"
#include "foundation/DispatchQueue.h"
#include "network/RequestFactory.h"

#include <QByteArray>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;

namespace pathloom {

// Downloads pictures for the image loader over http and https, on a thread of its own
// ("Pathloom.CachedImageLoader.download") that runs many transfers at once. Slow picture servers
// therefore hold up neither the caller's queue nor the global thread pool, and a download that is
// no longer wanted is aborted on the wire. Thread-safe; destroying the downloader aborts what is
// still running.
class ImageDownloader {
public:
    using Completion = std::function<void(std::optional<QByteArray>)>;

    explicit ImageDownloader(RequestFactory requests = RequestFactory());
    ~ImageDownloader();
    ImageDownloader(const ImageDownloader&) = delete;
    ImageDownloader& operator=(const ImageDownloader&) = delete;

    // Starts downloading `url`. `completion` runs exactly once on the download thread, with the
    // body of an answer with a status in 200–299 or with nothing on any failure, unless the handle
    // is cancelled or dropped first: then the transfer is aborted and `completion` never runs.
    [[nodiscard]] Cancellable fetch(const QUrl& url, Completion completion);

    // Downloads `url` and blocks the calling thread until it ends, without running any of that
    // thread's events, so the work queued behind the caller stays behind it. Nothing when called
    // on the download thread itself, which would wait for itself.
    [[nodiscard]] std::optional<QByteArray> fetchAndWait(const QUrl& url);

private:
    struct Transfer;

    RequestFactory m_requests;
    std::shared_ptr<DispatchQueue> m_queue;
    // Lives on the download thread and is used only there, by work items that run before the
    // destructor's own item on that serial queue.
    QNetworkAccessManager* m_network = nullptr;
};

}  // namespace pathloom
