#include "loading/StagedCacheEntry.h"

#include "foundation/FileSystemError.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pathloom {

StagedCacheEntry::~StagedCacheEntry() { discard(); }

StagedCacheEntry::StagedCacheEntry(StagedCacheEntry&& other) noexcept
    : m_stagedPath(std::exchange(other.m_stagedPath, QString())),
      m_entryPath(std::move(other.m_entryPath)) {}

StagedCacheEntry& StagedCacheEntry::operator=(StagedCacheEntry&& other) noexcept {
    if (this != &other) {
        discard();
        m_stagedPath = std::exchange(other.m_stagedPath, QString());
        m_entryPath = std::move(other.m_entryPath);
    }
    return *this;
}

std::expected<void, Error> StagedCacheEntry::commit() {
    // rename(2) replaces the entry atomically, which QFile::rename() does not do over an
    // existing file.
    if (std::rename(QFile::encodeName(m_stagedPath).constData(),
                    QFile::encodeName(m_entryPath).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        discard();
        return std::unexpected(
            FileSystemError{FileSystemError::Operation::write, m_entryPath, reason});
    }
    m_stagedPath.clear();
    return {};
}

void StagedCacheEntry::discard() {
    if (!m_stagedPath.isEmpty()) {
        QFile::remove(m_stagedPath);
        m_stagedPath.clear();
    }
}

}  // namespace pathloom
