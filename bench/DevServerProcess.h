#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

namespace pathloom::bench {

// The development server in a process of its own on 127.0.0.1, serving `fileCount` small JSON
// files "/items/<n>.json" from a temporary directory, its request log in a file there. Started
// by the constructor (origin() is empty when it failed) and stopped by the destructor.
class DevServerProcess {
public:
    explicit DevServerProcess(int fileCount);
    ~DevServerProcess();
    DevServerProcess(const DevServerProcess&) = delete;
    DevServerProcess& operator=(const DevServerProcess&) = delete;

    // "http://127.0.0.1:<port>", or empty when the server did not start.
    [[nodiscard]] const QUrl& origin() const { return m_origin; }
    [[nodiscard]] static QString itemPath(int index);

private:
    QTemporaryDir m_root;
    QProcess m_process;
    QUrl m_origin;
};

}  // namespace pathloom::bench
