#pragma once

#include "foundation/DebugConsole.h"
#include "foundation/DispatchQueue.h"
#include "foundation/ImageLoader.h"
#include "loading/CacheStorage.h"
#include "loading/ImageDownloader.h"

#include <QString>
#include <QUrl>
#include <memory>

namespace pathloom {

// Finds pictures by name or address: among the host's bundled images first, then in an encrypted
// on-disk cache, and only then by downloading (http, https and file URLs), keeping what it
// downloaded. There is no memory cache.
//
// Threads: cache reads and writes are serialised on the queue "Pathloom.CachedImageLoader.queue".
// Downloads run on the downloader's thread (see ImageDownloader); what asyncLoad does with their
// bytes (storing, decoding, reading file URLs) runs on the queue
// "Pathloom.CachedImageLoader.load", and its results are delivered on the main thread. syncLoad
// blocks its caller without running the caller's events. A failed cache write is written to the
// debug console.
class CachedImageLoader : public ImageLoader,
                          public std::enable_shared_from_this<CachedImageLoader> {
public:
    // `bundlePath` holds the host's images (by default the Qt resources under ":/images"); a name
    // without extension matches an image file of that base name.
    [[nodiscard]] static std::shared_ptr<CachedImageLoader> create(
        CacheStorage cache, QString bundlePath = QStringLiteral(":/images"),
        DebugConsole console = DebugConsole());

    [[nodiscard]] std::optional<QImage> syncLoad(const QString& image) override;
    [[nodiscard]] std::optional<Cancellable> asyncLoad(const QString& image,
                                                       Completion completion) override;

    // The cache entry of a picture: the SHA-256 of the text's UTF-8 bytes in lower-case hex.
    [[nodiscard]] static QString cacheKey(const QString& image);

private:
    CachedImageLoader(CacheStorage cache, QString bundlePath, DebugConsole console);

    // What the bundle and the cache know of a picture, without downloading.
    struct LookUp {
        // Whether the bundle or the cache had an entry; the entry may be bytes of no picture.
        bool found = false;
        std::optional<QImage> image;
        // The picture's address, when it has one and was not found.
        std::optional<QUrl> url;
    };
    [[nodiscard]] LookUp lookUp(const QString& image);
    [[nodiscard]] std::optional<QImage> bundledImage(const QString& name) const;
    // The bytes of a file URL, or the download of a web URL; nothing for any other scheme.
    [[nodiscard]] std::optional<QByteArray> contentsOf(const QUrl& url);
    // Keeps downloaded bytes under the picture's key, whether or not they form a picture, so the
    // address is not fetched again; then makes the picture.
    [[nodiscard]] std::optional<QImage> keep(const QString& image, const QByteArray& bytes);

    CacheStorage m_cache;
    QString m_bundlePath;
    DebugConsole m_console;
    std::shared_ptr<DispatchQueue> m_cacheQueue;
    std::shared_ptr<DispatchQueue> m_loadQueue;
    ImageDownloader m_downloader;
};

}  // namespace pathloom
