#pragma once

#include <QByteArray>
#include <QStringList>

// Reads back what a written PDF file holds, for tests of the files the core writes.
namespace pathloom::test {

// The number of pages.
[[nodiscard]] qsizetype pdfPageCount(const QByteArray& pdf);
// The page boxes, in page order, as "x y width height" texts in shortest form.
[[nodiscard]] QStringList pdfMediaBoxes(const QByteArray& pdf);
// The pixel sizes of the embedded pictures, as "width x height" texts.
[[nodiscard]] QStringList pdfEmbeddedImages(const QByteArray& pdf);

}  // namespace pathloom::test
