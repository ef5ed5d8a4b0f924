#pragma once

#include <QProcess>
#include <QString>
#include <optional>

namespace pathloom::test {

// One run of the pathloom-cache-writer program: a process of its own that waits for a start
// file, then saves one entry in an encrypted cache over a file key store.
class CacheWriter {
public:
    CacheWriter(const QString& keychainDirectory, const QString& cacheDirectory,
                const QString& startFile, const QString& text);

    // Whether the program is running (and so waiting for the start file).
    [[nodiscard]] bool started();
    // The digest of the key it saved with, once it has ended well within a few seconds.
    [[nodiscard]] std::optional<QString> keyDigest();
    // What it wrote to stderr, to explain a failure.
    [[nodiscard]] QString errors();

private:
    QProcess m_process;
};

}  // namespace pathloom::test
