#include "ServedRoot.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace pathloom::devserver {

using namespace Qt::StringLiterals;

std::expected<ServedRoot, QString> ServedRoot::open(const QString& directory) {
    const QFileInfo info(directory);
    if (!info.isDir()) {
        return std::unexpected(u"not a directory: "_s + directory);
    }
    return ServedRoot(info.canonicalFilePath());
}

ServedRoot::ServedRoot(QString canonicalRoot) : m_canonicalRoot(std::move(canonicalRoot)) {}

std::optional<QString> ServedRoot::resolve(QStringView requestPath) const {
    QStringList segments;
    for (QStringView segment : requestPath.split(u'/', Qt::SkipEmptyParts)) {
        if (segment == u"..") {
            return std::nullopt;
        }
        if (segment != u".") {
            segments.append(segment.toString());
        }
    }
    if (segments.isEmpty()) {
        return std::nullopt;
    }
    const QFileInfo info(filePath(segments.join(u'/')));
    // Checked on the canonical path too, so that a link inside the root cannot lead out of it.
    const QString canonical = info.canonicalFilePath();
    const QString prefix =
        m_canonicalRoot.endsWith(u'/') ? m_canonicalRoot : m_canonicalRoot + u'/';
    if (canonical.isEmpty() || !info.isFile() || !canonical.startsWith(prefix)) {
        return std::nullopt;
    }
    return canonical;
}

QString ServedRoot::filePath(const QString& relativePath) const {
    return QDir(m_canonicalRoot).filePath(relativePath);
}

}  // namespace pathloom::devserver
