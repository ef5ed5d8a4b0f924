#include "FakeImageLoader.h"

namespace pathloom::test {

std::optional<QImage> FakeImageLoader::syncLoad(const QString& image) {
    m_requests.append(image);
    const auto found = m_images.constFind(image);
    return found == m_images.constEnd() ? std::nullopt : std::optional(*found);
}

std::optional<Cancellable> FakeImageLoader::asyncLoad(const QString& image, Completion completion) {
    std::optional<QImage> loaded = syncLoad(image);
    if (completion) {
        completion(std::move(loaded));
    }
    return std::nullopt;
}

}  // namespace pathloom::test
