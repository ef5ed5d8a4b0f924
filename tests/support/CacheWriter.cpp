#include "CacheWriter.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <QFile>
#include <chrono>
#include <csignal>
#include <thread>
#include <vector>

extern char** environ;

namespace pathloom::test {

namespace {

QString contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

CacheWriter::CacheWriter(const QString& keychainDirectory, const QString& cacheDirectory,
                         const QString& startFile, const QString& text) {
    const QByteArray program = PATHLOOM_CACHE_WRITER;
    const std::vector<QByteArray> arguments{program, keychainDirectory.toLocal8Bit(),
                                            cacheDirectory.toLocal8Bit(), startFile.toLocal8Bit(),
                                            text.toLocal8Bit()};
    std::vector<char*> argv;
    for (const QByteArray& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.constData()));
    }
    argv.push_back(nullptr);
    const QByteArray out = m_output.filePath(QStringLiteral("out")).toLocal8Bit();
    const QByteArray err = m_output.filePath(QStringLiteral("err")).toLocal8Bit();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.constData(), &actions, nullptr, argv.data(), environ) == 0) {
        m_pid = pid;
    }
    posix_spawn_file_actions_destroy(&actions);
}

CacheWriter::~CacheWriter() {
    if (m_pid > 0 && !m_succeeded) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
}

bool CacheWriter::waitForSuccess(int timeoutMilliseconds) {
    if (m_succeeded) {
        return *m_succeeded;
    }
    if (m_pid <= 0) {
        return false;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    int status = 0;
    while (waitpid(m_pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    m_succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return *m_succeeded;
}

std::optional<QString> CacheWriter::keyDigest() {
    if (!waitForSuccess(20'000)) {
        return std::nullopt;
    }
    return contents(m_output.filePath(QStringLiteral("out"))).trimmed();
}

QString CacheWriter::errors() const { return contents(m_output.filePath(QStringLiteral("err"))); }

}  // namespace pathloom::test
