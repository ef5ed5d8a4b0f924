#pragma once

#include <QFile>
#include <QJsonObject>
#include <QString>
#include <expected>
#include <memory>
#include <mutex>
#include <optional>

namespace pathloom::devserver {

// Writes one JSON line per request, to a file or to standard error, flushed at once so that a
// reader sees each line as soon as the request is done. Any thread may write.
class RequestLog {
public:
    // Appends to `path` (earlier lines are kept), or writes to standard error without one.
    [[nodiscard]] static std::expected<std::unique_ptr<RequestLog>, QString> open(
        const std::optional<QString>& path);

    void write(const QJsonObject& entry);

private:
    RequestLog() = default;

    // Guards the file, so that lines from different request threads never interleave.
    std::mutex m_mutex;
    QFile m_file;
};

}  // namespace pathloom::devserver
