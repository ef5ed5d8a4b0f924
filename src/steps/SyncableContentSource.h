#pragma once

#include <QUrl>
#include <optional>

namespace pathloom {

// A step whose URL template is resolved each time it is shown; the screen keeps the last
// resolved URL here to see whether the content must be fetched anew.
class SyncableContentSource {
public:
    virtual ~SyncableContentSource() = default;

    // Nothing until the screen first resolves the URL.
    [[nodiscard]] virtual const std::optional<QUrl>& resolvedURL() const = 0;
    virtual void setResolvedURL(std::optional<QUrl> url) = 0;
};

}  // namespace pathloom
