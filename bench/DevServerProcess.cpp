#include "DevServerProcess.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace pathloom::bench {

using namespace Qt::StringLiterals;

DevServerProcess::DevServerProcess(int fileCount) {
    QDir(m_root.path()).mkpath(u"site/items"_s);
    for (int i = 0; i < fileCount; ++i) {
        QFile file(m_root.filePath(u"site"_s + itemPath(i)));
        if (!file.open(QIODevice::WriteOnly)) {
            return;
        }
        // About the size of a list or page a step fetches.
        file.write(QByteArray(R"({"id":)") + QByteArray::number(i) +
                   R"(,"items":[{"id":1,"text":"Server room","detailText":"Checked"},)"
                   R"({"id":2,"text":"Kitchen","detailText":"Leak under the sink"},)"
                   R"({"id":3,"text":"Stairs","detailText":"Handrail loose"}]})");
    }
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(QString::fromUtf8(PATHLOOM_DEVSERVER),
                    {u"--root"_s, m_root.filePath(u"site"_s), u"--port"_s, u"0"_s, u"--log"_s,
                     m_root.filePath(u"requests.log"_s)});
    if (!m_process.waitForStarted(10'000)) {
        return;
    }
    const QRegularExpression listening(u"Listening on (http://127\\.0\\.0\\.1:\\d+)"_s);
    QByteArray output;
    while (m_process.waitForReadyRead(10'000)) {
        output += m_process.readAllStandardOutput();
        const QRegularExpressionMatch match = listening.match(QString::fromUtf8(output));
        if (match.hasMatch()) {
            m_origin = QUrl(match.captured(1));
            return;
        }
    }
}

DevServerProcess::~DevServerProcess() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(10'000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
}

QString DevServerProcess::itemPath(int index) { return u"/items/%1.json"_s.arg(index); }

}  // namespace pathloom::bench
