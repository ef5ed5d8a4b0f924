#include "DevServer.h"

#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QRegularExpression>

namespace pathloom::test {

using namespace Qt::StringLiterals;

DevServer::DevServer(const QString& program, const QString& root, const QString& log) {
    m_process.setProgram(program);
    m_process.setArguments({u"--root"_s, root, u"--log"_s, log});
    m_process.start();
    EXPECT_TRUE(m_process.waitForStarted());
    const QDeadlineTimer deadline(10'000);
    while (!m_process.canReadLine() && !deadline.hasExpired() &&
           m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(50);
    }
    const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
    const auto match =
        QRegularExpression(u"^Listening on (http://127\\.0\\.0\\.1:\\d+)$"_s).match(line);
    EXPECT_TRUE(match.hasMatch()) << line.toStdString();
    m_origin = match.captured(1);
}

DevServer::~DevServer() {
    if (m_process.state() == QProcess::NotRunning) {
        return;
    }
    m_process.terminate();
    EXPECT_TRUE(m_process.waitForFinished(10'000));
    EXPECT_EQ(m_process.exitCode(), 0) << m_process.readAllStandardError().toStdString();
}

}  // namespace pathloom::test
