#pragma once

#include <QProcess>
#include <QString>

namespace pathloom::test {

// The development server as a child process on 127.0.0.1 with a port of its own, serving `root`
// and logging every request to `log`. It is stopped when this goes, and must then exit cleanly.
class DevServer {
public:
    DevServer(const QString& program, const QString& root, const QString& log);
    ~DevServer();
    DevServer(const DevServer&) = delete;
    DevServer& operator=(const DevServer&) = delete;

    // "http://127.0.0.1:<port>"; empty when the server did not start.
    [[nodiscard]] const QString& origin() const { return m_origin; }

private:
    QProcess m_process;
    QString m_origin;
};

}  // namespace pathloom::test
