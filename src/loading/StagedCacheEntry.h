#pragma once

#include "foundation/Error.h"

#include <QString>
#include <expected>

namespace pathloom {

// A cache entry written in full (sealed, synced to disk) under a name of its own beside the
// entry, which takes the entry's place only when committed; so the entry can be written while
// its value is still being judged, and replaces the old one atomically once it is accepted.
// Dropped uncommitted, its file is removed. Move-only.
class StagedCacheEntry {
public:
    StagedCacheEntry(QString stagedPath, QString entryPath)
        : m_stagedPath(std::move(stagedPath)), m_entryPath(std::move(entryPath)) {}
    ~StagedCacheEntry();
    StagedCacheEntry(StagedCacheEntry&& other) noexcept;
    StagedCacheEntry& operator=(StagedCacheEntry&& other) noexcept;
    StagedCacheEntry(const StagedCacheEntry&) = delete;
    StagedCacheEntry& operator=(const StagedCacheEntry&) = delete;

    // Renames the staged file over the entry; fails with a FileSystemError.
    [[nodiscard]] std::expected<void, Error> commit();

private:
    void discard();

    QString m_stagedPath;
    QString m_entryPath;
};

}  // namespace pathloom
