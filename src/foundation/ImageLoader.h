#pragma once

#include "foundation/Cancellable.h"

#include <QImage>
#include <QString>
#include <functional>
#include <optional>

namespace pathloom {

// The picture service: looks a picture up by its name or address. Implementations are shared
// between the loading thread and the screens, so both operations must be safe to call from any
// thread.
class ImageLoader {
public:
    using Completion = std::function<void(std::optional<QImage>)>;

    virtual ~ImageLoader() = default;

    // The picture named by `image`, or nothing. May block the caller for a download.
    [[nodiscard]] virtual std::optional<QImage> syncLoad(const QString& image) = 0;

    // Looks the picture up without blocking. When it is at hand at once, `completion` (which may be
    // empty) runs before this returns and no handle comes back. Otherwise `completion` runs exactly
    // once later on the main thread, unless the returned handle was cancelled or dropped first.
    [[nodiscard]] virtual std::optional<Cancellable> asyncLoad(const QString& image,
                                                               Completion completion) = 0;
};

}  // namespace pathloom
