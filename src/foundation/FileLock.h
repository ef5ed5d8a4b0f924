#pragma once

#include <QString>

namespace pathloom {

// An exclusive advisory lock (flock) on a file, held for the object's life. Each holder opens the
// file itself, and flock() excludes other open descriptions of the file, so threads of one
// process exclude each other as processes do; a second lock on the same file from a thread that
// already holds one therefore waits forever. The kernel drops the lock if a process dies.
class FileLock {
public:
    // Blocks until the lock on `path` is held, creating the file (0600) when it is missing.
    explicit FileLock(const QString& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Whether the lock is held; false when the file could not be opened or locked.
    [[nodiscard]] bool isLocked() const { return m_descriptor >= 0; }

    // Makes `directory` exist, open to its owner only (0700) when it is created here.
    [[nodiscard]] static bool ensurePrivateDirectory(const QString& directory);

private:
    int m_descriptor;
};

}  // namespace pathloom
