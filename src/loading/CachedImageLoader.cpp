#include "loading/CachedImageLoader.h"

#include "foundation/Sha256.h"
#include "foundation/UrlParsing.h"
#include "network/UserAgent.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRunnable>
#include <QThreadPool>
#include <atomic>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kDownloadTimeoutMilliseconds = 60'000;

// The whole contents of a URL, read on the calling thread; nothing on any failure.
std::optional<QByteArray> contentsOf(const QUrl& url) {
    if (url.isLocalFile()) {
        QFile file(url.toLocalFile());
        if (!file.open(QIODevice::ReadOnly)) {
            return std::nullopt;
        }
        return file.readAll();
    }
    if (url.scheme() != u"http" && url.scheme() != u"https") {
        return std::nullopt;
    }
    QNetworkAccessManager network;
    QNetworkRequest request(url);
    request.setTransferTimeout(kDownloadTimeoutMilliseconds);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    QNetworkReply* reply = network.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && status >= 200 && status <= 299;
    std::optional<QByteArray> bytes = ok ? std::optional(reply->readAll()) : std::nullopt;
    delete reply;
    return bytes;
}

std::optional<QImage> imageFrom(const QByteArray& bytes) {
    QImage image = QImage::fromData(bytes);
    return image.isNull() ? std::nullopt : std::optional(std::move(image));
}

}  // namespace

std::shared_ptr<CachedImageLoader> CachedImageLoader::create(CacheStorage cache,
                                                             QString bundlePath) {
    return std::shared_ptr<CachedImageLoader>(
        new CachedImageLoader(std::move(cache), std::move(bundlePath)));
}

CachedImageLoader::CachedImageLoader(CacheStorage cache, QString bundlePath)
    : m_cache(std::move(cache)),
      m_bundlePath(std::move(bundlePath)),
      m_cacheQueue(DispatchQueue::serial(u"Pathloom.CachedImageLoader.queue"_s)) {}

QString CachedImageLoader::cacheKey(const QString& image) {
    return Sha256::hexDigest(image.toUtf8());
}

std::optional<QImage> CachedImageLoader::syncLoad(const QString& image) {
    return load(image, true);
}

std::optional<Cancellable> CachedImageLoader::asyncLoad(const QString& image,
                                                        Completion completion) {
    if (std::optional<QImage> found = load(image, false)) {
        if (completion) {
            completion(std::move(found));
        }
        return std::nullopt;
    }
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    const std::weak_ptr<CachedImageLoader> weakSelf = weak_from_this();
    QThreadPool::globalInstance()->start([weakSelf, image, completion, cancelled] {
        const auto self = weakSelf.lock();
        if (!self || *cancelled) {
            return;
        }
        std::optional<QImage> loaded = self->load(image, true);
        DispatchQueue::main()->async([completion, cancelled, loaded = std::move(loaded)] {
            if (!*cancelled && completion) {
                completion(loaded);
            }
        });
    });
    return Cancellable([cancelled] { *cancelled = true; });
}

std::optional<QImage> CachedImageLoader::load(const QString& image, bool download) {
    if (std::optional<QImage> bundled = bundledImage(image)) {
        return bundled;
    }
    const std::optional<QUrl> url = parseUrl(image);
    if (!url) {
        return std::nullopt;
    }
    const QString key = cacheKey(image);
    std::optional<QByteArray> cached;
    m_cacheQueue->sync([&] { cached = m_cache.loadData(key); });
    if (cached) {
        return imageFrom(*cached);
    }
    if (!download) {
        return std::nullopt;
    }
    const std::optional<QByteArray> bytes = contentsOf(*url);
    if (!bytes) {
        return std::nullopt;
    }
    // Kept whether or not the bytes form a picture, so the address is not fetched again.
    m_cacheQueue->sync([&] { (void)m_cache.saveData(*bytes, key, true); });
    return imageFrom(*bytes);
}

std::optional<QImage> CachedImageLoader::bundledImage(const QString& name) const {
    if (name.isEmpty() || name.contains(u'/')) {
        return std::nullopt;
    }
    const QDir bundle(m_bundlePath);
    if (bundle.exists(name)) {
        return imageFrom([&] {
            QFile file(bundle.filePath(name));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }());
    }
    const QStringList candidates = bundle.entryList({name + u".*"_s}, QDir::Files);
    for (const QString& candidate : candidates) {
        QImage image(bundle.filePath(candidate));
        if (!image.isNull()) {
            return image;
        }
    }
    return std::nullopt;
}

}  // namespace pathloom
