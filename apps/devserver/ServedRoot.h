#pragma once

#include <QString>
#include <QStringView>
#include <expected>
#include <optional>

namespace pathloom::devserver {

// The directory a development server serves: maps request paths to files inside it and refuses
// every path that could leave it: any path with a ".." segment, and any that a symbolic link
// leads out. Immutable once made, so any thread may use it.
class ServedRoot {
public:
    [[nodiscard]] static std::expected<ServedRoot, QString> open(const QString& directory);

    // The canonical path of the regular file the request path names inside the root, or nothing
    // when there is none or the path leaves the root.
    [[nodiscard]] std::optional<QString> resolve(QStringView requestPath) const;
    [[nodiscard]] QString filePath(const QString& relativePath) const;

private:
    explicit ServedRoot(QString canonicalRoot);

    QString m_canonicalRoot;
};

}  // namespace pathloom::devserver
