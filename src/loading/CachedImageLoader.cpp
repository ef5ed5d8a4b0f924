#include "loading/CachedImageLoader.h"

#include "foundation/QueuedWork.h"
#include "foundation/Sha256.h"
#include "foundation/UrlParsing.h"

#include <QDir>
#include <QFile>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

std::optional<QImage> imageFrom(const QByteArray& bytes) {
    QImage image = QImage::fromData(bytes);
    return image.isNull() ? std::nullopt : std::optional(std::move(image));
}

std::optional<QByteArray> fileContents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

bool isWebURL(const QUrl& url) { return url.scheme() == u"http" || url.scheme() == u"https"; }

}  // namespace

std::shared_ptr<CachedImageLoader> CachedImageLoader::create(CacheStorage cache, QString bundlePath,
                                                             DebugConsole console) {
    return std::shared_ptr<CachedImageLoader>(
        new CachedImageLoader(std::move(cache), std::move(bundlePath), std::move(console)));
}

CachedImageLoader::CachedImageLoader(CacheStorage cache, QString bundlePath, DebugConsole console)
    : m_cache(std::move(cache)),
      m_bundlePath(std::move(bundlePath)),
      m_console(std::move(console)),
      m_cacheQueue(DispatchQueue::serial(u"Pathloom.CachedImageLoader.queue"_s)),
      m_loadQueue(DispatchQueue::serial(u"Pathloom.CachedImageLoader.load"_s)) {}

QString CachedImageLoader::cacheKey(const QString& image) {
    return Sha256::hexDigest(image.toUtf8());
}

std::optional<QImage> CachedImageLoader::syncLoad(const QString& image) {
    LookUp known = lookUp(image);
    if (known.found || !known.url) {
        return std::move(known.image);
    }
    const std::optional<QByteArray> bytes = contentsOf(*known.url);
    return bytes ? keep(image, *bytes) : std::nullopt;
}

std::optional<Cancellable> CachedImageLoader::asyncLoad(const QString& image,
                                                        Completion completion) {
    LookUp known = lookUp(image);
    if (known.image) {
        if (completion) {
            completion(std::move(known.image));
        }
        return std::nullopt;
    }
    const std::optional<QUrl>& url = known.url;
    CancellationToken token;
    const auto deliver = [token, completion](std::optional<QImage> picture) {
        deliverUnlessCancelled(DispatchQueue::main(), token, [completion, picture] {
            if (completion) {
                completion(picture);
            }
        });
    };
    const std::weak_ptr<CachedImageLoader> weakSelf = weak_from_this();
    if (!url || !isWebURL(*url)) {
        m_loadQueue->async([weakSelf, image, url, deliver] {
            const auto self = weakSelf.lock();
            const std::optional<QByteArray> bytes =
                self && url ? self->contentsOf(*url) : std::nullopt;
            deliver(bytes ? self->keep(image, *bytes) : std::nullopt);
        });
        return token.handle();
    }
    // The download thread only receives; storing and decoding happen on the load queue.
    auto transfer = std::make_shared<Cancellable>(
        m_downloader.fetch(*url, [weakSelf, image, deliver, token,
                                  loadQueue = m_loadQueue](std::optional<QByteArray> bytes) {
            if (!bytes) {
                deliver(std::nullopt);
                return;
            }
            loadQueue->async([weakSelf, image, deliver, token, bytes = std::move(*bytes)] {
                const auto self = weakSelf.lock();
                if (!self || token.isCancelled()) {
                    return;
                }
                deliver(self->keep(image, bytes));
            });
        }));
    return Cancellable([token, transfer] {
        token.cancel();
        transfer->cancel();
    });
}

CachedImageLoader::LookUp CachedImageLoader::lookUp(const QString& image) {
    if (std::optional<QImage> bundled = bundledImage(image)) {
        return {true, std::move(bundled), std::nullopt};
    }
    std::optional<QUrl> url = parseUrl(image);
    if (!url) {
        return {};
    }
    const QString key = cacheKey(image);
    std::optional<QByteArray> cached;
    m_cacheQueue->sync([&] { cached = m_cache.loadData(key); });
    if (cached) {
        return {true, imageFrom(*cached), std::nullopt};
    }
    return {false, std::nullopt, std::move(url)};
}

std::optional<QByteArray> CachedImageLoader::contentsOf(const QUrl& url) {
    if (url.isLocalFile()) {
        return fileContents(url.toLocalFile());
    }
    return isWebURL(url) ? m_downloader.fetchAndWait(url) : std::nullopt;
}

std::optional<QImage> CachedImageLoader::keep(const QString& image, const QByteArray& bytes) {
    std::expected<void, Error> saved;
    m_cacheQueue->sync([&] { saved = m_cache.saveData(bytes, cacheKey(image), true); });
    if (!saved) {
        m_console.print(u"Error caching image: "_s + saved.error().localizedDescription());
    }
    return imageFrom(bytes);
}

std::optional<QImage> CachedImageLoader::bundledImage(const QString& name) const {
    // Names are taken literally: no wildcards, and never the folder itself or its parent.
    if (name.isEmpty() || name == u"."_s || name == u".."_s || name.contains(u'/')) {
        return std::nullopt;
    }
    const QDir bundle(m_bundlePath);
    const QStringList files = bundle.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    if (files.contains(name)) {
        return fileContents(bundle.filePath(name)).and_then(imageFrom);
    }
    const QString prefix = name + u'.';
    for (const QString& file : files) {
        if (!file.startsWith(prefix)) {
            continue;
        }
        if (std::optional<QImage> image = fileContents(bundle.filePath(file)).and_then(imageFrom)) {
            return image;
        }
    }
    return std::nullopt;
}

}  // namespace pathloom
