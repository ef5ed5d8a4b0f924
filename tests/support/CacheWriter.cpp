#include "CacheWriter.h"

namespace pathloom::test {

CacheWriter::CacheWriter(const QString& keychainDirectory, const QString& cacheDirectory,
                         const QString& startFile, const QString& text) {
    m_process.start(QStringLiteral(PATHLOOM_CACHE_WRITER),
                    {keychainDirectory, cacheDirectory, startFile, text});
}

bool CacheWriter::started() { return m_process.waitForStarted(10'000); }

std::optional<QString> CacheWriter::keyDigest() {
    if (!m_process.waitForFinished(20'000) || m_process.exitStatus() != QProcess::NormalExit ||
        m_process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(m_process.readAllStandardOutput()).trimmed();
}

QString CacheWriter::errors() { return QString::fromUtf8(m_process.readAllStandardError()); }

}  // namespace pathloom::test
