#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>

namespace pathloom::test {

// Writes `bytes` to `path`, creating its folder; whether the whole of it was written.
bool writeFile(const QString& path, const QByteArray& bytes);
// The file's bytes; empty when it cannot be read.
[[nodiscard]] QByteArray readFile(const QString& path);

// Copies every file under the folder `from` to the same place under `to`; false when one could
// not be copied.
[[nodiscard]] bool copyTree(const QString& from, const QString& to);
// A picture of `size` filled with `colour`, as the bytes of a PNG file.
[[nodiscard]] QByteArray pngBytes(QSize size, QColor colour = Qt::blue);

}  // namespace pathloom::test
