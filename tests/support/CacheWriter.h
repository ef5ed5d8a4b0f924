#pragma once

#include <sys/types.h>
#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace pathloom::test {

// One run of the pathloom-cache-writer program: a process of its own that waits for a start
// file, then saves one entry in an encrypted cache over a file key store. Started with
// posix_spawn rather than QProcess, so that the thread sanitizer, which cannot follow a fork made
// inside Qt, keeps watching the test.
class CacheWriter {
public:
    CacheWriter(const QString& keychainDirectory, const QString& cacheDirectory,
                const QString& startFile, const QString& text);
    ~CacheWriter();
    CacheWriter(const CacheWriter&) = delete;
    CacheWriter& operator=(const CacheWriter&) = delete;

    // Whether the program is running (and so waiting for the start file).
    [[nodiscard]] bool started() const { return m_pid > 0; }
    // The digest of the key it saved with, once it has ended well within a few seconds.
    [[nodiscard]] std::optional<QString> keyDigest();
    // What it wrote to stderr, to explain a failure.
    [[nodiscard]] QString errors() const;

private:
    // Waits up to `timeoutMilliseconds` for the program to end; whether it ended with status 0.
    bool waitForSuccess(int timeoutMilliseconds);

    QTemporaryDir m_output;
    pid_t m_pid = -1;
    std::optional<bool> m_succeeded;
};

}  // namespace pathloom::test
