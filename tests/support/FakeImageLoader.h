#pragma once

#include "foundation/ImageLoader.h"

#include <QHash>
#include <QStringList>

namespace pathloom::test {

// An image loader that knows a fixed set of pictures and records every name it was asked for.
class FakeImageLoader : public ImageLoader {
public:
    void add(const QString& name, const QImage& image) { m_images.insert(name, image); }
    [[nodiscard]] const QStringList& requests() const { return m_requests; }

    std::optional<QImage> syncLoad(const QString& image) override;
    std::optional<Cancellable> asyncLoad(const QString& image, Completion completion) override;

private:
    QHash<QString, QImage> m_images;
    QStringList m_requests;
};

}  // namespace pathloom::test
