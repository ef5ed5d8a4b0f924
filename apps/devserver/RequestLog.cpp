#include "RequestLog.h"

#include "foundation/Json.h"

#include <cstdio>

namespace pathloom::devserver {

using namespace Qt::StringLiterals;

std::expected<std::unique_ptr<RequestLog>, QString> RequestLog::open(
    const std::optional<QString>& path) {
    std::unique_ptr<RequestLog> log(new RequestLog);
    bool opened = false;
    if (path) {
        log->m_file.setFileName(*path);
        opened = log->m_file.open(QIODevice::WriteOnly | QIODevice::Append);
    } else {
        opened = log->m_file.open(stderr, QIODevice::WriteOnly);
    }
    if (!opened) {
        return std::unexpected(u"cannot write the log: "_s + log->m_file.errorString());
    }
    return log;
}

void RequestLog::write(const QJsonObject& entry) {
    const std::lock_guard lock(m_mutex);
    m_file.write(json::write(entry) + '\n');
    m_file.flush();
}

}  // namespace pathloom::devserver
