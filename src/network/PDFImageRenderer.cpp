#include "network/PDFImageRenderer.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStandardPaths>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// One PDF point per image unit, as image sizes are measured in points.
constexpr int kPointsPerInch = 72;

}  // namespace

PDFImageRenderer::PDFImageRenderer()
    : m_directory(QStandardPaths::standardLocations(QStandardPaths::CacheLocation).value(0)) {}

std::expected<QUrl, PDFImageRenderError> PDFImageRenderer::render(const QList<QImage>& images,
                                                                  const QString& fileName) const {
    // The name comes from the app document; a separator in it would write outside the directory.
    if (fileName.contains(u'/') || fileName.contains(QDir::separator())) {
        return std::unexpected(PDFImageRenderError());
    }
    // Unlike on phones, the caches directory of a desktop application may not exist yet.
    if (m_directory.isEmpty() || !QDir().mkpath(m_directory)) {
        return std::unexpected(PDFImageRenderError());
    }
    const QString target = m_directory + u'/' + fileName + u".pdf"_s;

    QSizeF pageSize;
    for (const QImage& image : images) {
        pageSize = pageSize.expandedTo(image.deviceIndependentSize());
    }

    // Written beside the target and moved over it only when complete, so a failed write never
    // leaves half a document behind.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        return std::unexpected(PDFImageRenderError());
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPointsPerInch);
        if (!pageSize.isEmpty()) {
            // Exactly the picture's size: a near match would otherwise snap to a standard size
            // (596×841 to A4) and crop or pad the picture.
            writer.setPageLayout(
                QPageLayout(QPageSize(pageSize, QPageSize::Point, QString(), QPageSize::ExactMatch),
                            QPageLayout::Portrait, QMarginsF()));
        }
        QPainter painter;
        if (!painter.begin(&writer)) {
            return std::unexpected(PDFImageRenderError());
        }
        for (qsizetype index = 0; index < images.size(); ++index) {
            if (index > 0 && !writer.newPage()) {
                return std::unexpected(PDFImageRenderError());
            }
            const QImage& image = images[index];
            painter.drawImage(QRectF(QPointF(0, 0), image.deviceIndependentSize()), image);
        }
        if (!painter.end()) {
            return std::unexpected(PDFImageRenderError());
        }
    }
    if (!file.commit()) {
        return std::unexpected(PDFImageRenderError());
    }
    return QUrl::fromLocalFile(target);
}

}  // namespace pathloom
