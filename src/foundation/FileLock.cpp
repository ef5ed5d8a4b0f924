#include "foundation/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace pathloom {

FileLock::FileLock(const QString& path)
    : m_descriptor(
          ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (m_descriptor < 0) {
        return;
    }
    while (::flock(m_descriptor, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(m_descriptor);
            m_descriptor = -1;
            return;
        }
    }
}

FileLock::~FileLock() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
    }
}

bool FileLock::ensurePrivateDirectory(const QString& directory) {
    if (QFileInfo(directory).isDir()) {
        return true;
    }
    QDir().mkpath(QFileInfo(directory).absolutePath());
    // Created with its final mode, so it is never open to others; another thread may win the
    // race to create it, which is as good.
    return QDir().mkdir(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) ||
           QFileInfo(directory).isDir();
}

}  // namespace pathloom
