#pragma once

#include "foundation/Cancellable.h"
#include "foundation/DispatchQueue.h"
#include "foundation/Error.h"
#include "network/RequestFactory.h"

#include <QByteArray>
#include <QUrl>
#include <expected>
#include <functional>
#include <memory>

class QNetworkAccessManager;

namespace pathloom {

// GETs a document to show (a PDF) from an http or https address that may name any host. Unlike
// the network client it never sends the stored session token, and it refuses a body larger than
// its limit instead of holding it all in memory. Transfers run on `queue`, which the caller names
// (the network client's queue serves); the downloader must not be destroyed on that queue.
// Thread-safe; destroying the downloader aborts what is still running.
class DocumentDownloader {
public:
    static constexpr qint64 defaultMaxBytes = qint64(100) * 1024 * 1024;

    using Result = std::expected<QByteArray, Error>;
    using Completion = std::function<void(Result)>;

    explicit DocumentDownloader(std::shared_ptr<DispatchQueue> queue,
                                RequestFactory requests = RequestFactory(),
                                qint64 maxBytes = defaultMaxBytes);
    ~DocumentDownloader();
    DocumentDownloader(const DocumentDownloader&) = delete;
    DocumentDownloader& operator=(const DocumentDownloader&) = delete;

    // Whether `url` is an address a document may come from: http or https, with a host.
    [[nodiscard]] static bool accepts(const QUrl& url);

    // Starts downloading `url`. `completion` runs exactly once on `target`: with the body of an
    // answer with a status in 200–299, or with the error (`badURL` for an address that is not
    // http or https, `dataLengthExceedsMaximum` for a body past the limit, the status or transport
    // error otherwise). Cancelling or dropping the handle first aborts the transfer, and
    // `completion` never runs.
    [[nodiscard]] Cancellable fetch(const QUrl& url, std::shared_ptr<DispatchQueue> target,
                                    Completion completion);

private:
    struct Transfer;

    std::shared_ptr<DispatchQueue> m_queue;
    RequestFactory m_requests;
    qint64 m_maxBytes;
    // Lives on `m_queue`'s thread and is used only there.
    QNetworkAccessManager* m_network = nullptr;
};

}  // namespace pathloom
