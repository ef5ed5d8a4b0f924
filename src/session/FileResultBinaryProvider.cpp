#include "session/FileResultBinaryProvider.h"

namespace pathloom {

using namespace Qt::StringLiterals;

QString FileResultBinaryProvider::identifier() const { return m_result->identifier; }

std::optional<QString> FileResultBinaryProvider::filePath() const {
    if (!m_result->fileURL) {
        return std::nullopt;
    }
    return m_result->fileURL->path();
}

std::optional<QString> FileResultBinaryProvider::fileName() const {
    if (!m_result->fileURL) {
        return std::nullopt;
    }
    const QString name = m_result->fileURL->fileName();
    return isHeif() ? name.toLower().replace(u"heif"_s, u"jpg"_s) : name;
}

std::optional<QString> FileResultBinaryProvider::mimeType() const {
    return isHeif() ? std::optional(u"image/jpeg"_s) : m_result->contentType;
}

bool FileResultBinaryProvider::isHeif() const { return m_result->contentType == u"image/heif"; }

}  // namespace pathloom
