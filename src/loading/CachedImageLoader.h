#pragma once

#include "foundation/DispatchQueue.h"
#include "foundation/ImageLoader.h"
#include "loading/CacheStorage.h"

#include <QString>
#include <memory>

namespace pathloom {

// Finds pictures by name or address: among the host's bundled images first, then in an encrypted
// on-disk cache, and only then by downloading (http, https and file URLs), keeping what it
// downloaded. There is no memory cache. Cache reads and writes are serialised on the queue
// "Pathloom.CachedImageLoader.queue"; downloads of asyncLoad run on the global thread pool and
// are delivered on the main thread.
class CachedImageLoader : public ImageLoader,
                          public std::enable_shared_from_this<CachedImageLoader> {
public:
    // `bundlePath` holds the host's images (by default the Qt resources under ":/images"); a name
    // without extension matches an image file of that base name.
    [[nodiscard]] static std::shared_ptr<CachedImageLoader> create(
        CacheStorage cache, QString bundlePath = QStringLiteral(":/images"));

    [[nodiscard]] std::optional<QImage> syncLoad(const QString& image) override;
    [[nodiscard]] std::optional<Cancellable> asyncLoad(const QString& image,
                                                       Completion completion) override;

    // The cache entry of a picture: the SHA-256 of the text's UTF-8 bytes in lower-case hex.
    [[nodiscard]] static QString cacheKey(const QString& image);

private:
    CachedImageLoader(CacheStorage cache, QString bundlePath);

    [[nodiscard]] std::optional<QImage> load(const QString& image, bool download);
    [[nodiscard]] std::optional<QImage> bundledImage(const QString& name) const;

    CacheStorage m_cache;
    QString m_bundlePath;
    std::shared_ptr<DispatchQueue> m_cacheQueue;
};

}  // namespace pathloom
