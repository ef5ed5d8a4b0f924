#pragma once

#include <QByteArray>
#include <QString>

namespace pathloom::test {

// Writes `bytes` to `path`, creating its folder; whether the whole of it was written.
bool writeFile(const QString& path, const QByteArray& bytes);
// The file's bytes; empty when it cannot be read.
[[nodiscard]] QByteArray readFile(const QString& path);

}  // namespace pathloom::test
