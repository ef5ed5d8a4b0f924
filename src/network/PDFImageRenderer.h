#pragma once

#include "network/PDFImageRenderError.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QUrl>
#include <expected>
#include <utility>

namespace pathloom {

// Writes images (scanned pages) into one PDF file in the per-user caches directory, one page per
// image. Thread-safe: it holds only the directory it writes to.
class PDFImageRenderer {
public:
    // Writes into the first per-user caches directory.
    PDFImageRenderer();
    // Writes into `directory`; an empty text stands for a platform without a caches directory.
    explicit PDFImageRenderer(QString directory) : m_directory(std::move(directory)) {}

    // Writes `images` in order to "<directory>/<fileName>.pdf", replacing an earlier file of that
    // name, and gives the file's URL; a `fileName` with a directory separator is refused. Every
    // page is as wide as the widest image and as high as the highest; each image sits at the page's
    // top left corner at its own size. Without images the document has one empty page, as a PDF
    // file needs one.
    [[nodiscard]] std::expected<QUrl, PDFImageRenderError> render(const QList<QImage>& images,
                                                                  const QString& fileName) const;

private:
    QString m_directory;
};

}  // namespace pathloom
