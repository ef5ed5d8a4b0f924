#include "DevServer.h"
#include "TestFiles.h"
#include "foundation/Sha256.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

// Stands in for a link's credential; it must never be seen outside the app.
constexpr auto kSecret = "s3cret-launch-token";

QList<QJsonObject> journalOf(const QString& path) {
    QList<QJsonObject> events;
    const QByteArray bytes = test::readFile(path);
    // The last line may still be on its way.
    for (const QByteArray& line : bytes.left(bytes.lastIndexOf('\n') + 1).split('\n')) {
        if (!line.isEmpty()) {
            events.append(QJsonDocument::fromJson(line).object());
        }
    }
    return events;
}

QList<QJsonObject> eventsOf(const QList<QJsonObject>& journal, const QString& event) {
    QList<QJsonObject> found;
    for (const QJsonObject& entry : journal) {
        if (entry.value(u"event"_s) == event) {
            found.append(entry);
        }
    }
    return found;
}

template <typename Condition>
bool waitFor(Condition condition, int milliseconds = 30'000) {
    const QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(10);
    }
    return true;
}

// Starts several `pathloom-app`s offscreen on shared data folders, as a person's desktop would
// start them for links, with a runtime folder of the test's own for their sockets.
class SingleInstanceTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(base.isValid());
        ASSERT_TRUE(runtime.isValid());
    }

    QString path(const QString& relative) const { return base.filePath(relative); }

    // A running app; its output goes to files named after `name`, so that it never waits on a
    // full pipe.
    std::unique_ptr<QProcess> launch(const QString& name, const QStringList& arguments,
                                     const QString& data = u"data"_s,
                                     const QString& workingDirectory = {}) const {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(workingDirectory.isEmpty() ? runtime.path()
                                                                : workingDirectory);
        process->setStandardOutputFile(path(name + u".out"_s));
        process->setStandardErrorFile(path(name + u".err"_s));
        process->start(QString::fromUtf8(PATHLOOM_APP),
                       arguments + QStringList{u"--data-dir"_s, path(data)});
        EXPECT_TRUE(process->waitForStarted());
        return process;
    }

    // An app that serves: it keeps running and journals to `name`.jsonl.
    std::unique_ptr<QProcess> serve(const QString& name, const QStringList& arguments = {},
                                    const QString& data = u"data"_s) const {
        return launch(
            name,
            arguments + QStringList{u"--journal"_s, journal(name), u"--quit-after"_s, u"300"_s},
            data);
    }

    QString journal(const QString& name) const { return path(name + u".jsonl"_s); }

    bool hasEvent(const QString& name, const QString& event, const QString& key = {},
                  const QJsonValue& value = {}) const {
        const QList<QJsonObject> found = eventsOf(journalOf(journal(name)), event);
        return std::ranges::any_of(
            found, [&](const QJsonObject& entry) { return key.isEmpty() || entry[key] == value; });
    }

    // What a start that hands over ends with.
    static int exitOf(QProcess& process) {
        EXPECT_TRUE(process.waitForFinished(5'000)) << "it did not hand over and end";
        return process.exitCode();
    }

    QString socketPath() const {
        const QStringList sockets = QDir(runtime.path())
                                        .entryList({u"pathloom-app-*"_s}, QDir::System)
                                        .filter(QRegularExpression(u"^[^.]*$"_s));
        return sockets.size() == 1 ? runtime.filePath(sockets[0]) : QString();
    }

    // Named for the user and the app's data folder under `data`.
    QString socketName(const QString& data) const {
        const QString folder = path(data + u"/data/pathloom"_s);
        return u"pathloom-app-"_s +
               Sha256::hexDigest(
                   (QString::fromLocal8Bit(getpwuid(geteuid())->pw_name) + folder).toUtf8())
                   .left(16);
    }

    QString listDocument() const {
        const QString file = path(u"list.json"_s);
        EXPECT_TRUE(test::writeFile(file, R"({"id":1,"name":"Lists","navigationStyle":"list",
            "servers":[{"id":1,"url":"https://api.example.com"}],
            "workflows":[{"id":1,"identifier":"one","name":"A",
                          "steps":[{"type":"instructions","identifier":"hello"}]}]})"));
        return file;
    }

    static QString closedPort() {
        QTcpServer closed;
        EXPECT_TRUE(closed.listen(QHostAddress::LocalHost));
        return QString::number(closed.serverPort());
    }

    QTemporaryDir base;
    QTemporaryDir runtime;
};

TEST_F(SingleInstanceTest, ALinkOpensInTheWindowThatRuns) {
    const QString root = path(u"server"_s);
    ASSERT_TRUE(test::copyTree(QString::fromUtf8(PATHLOOM_EXAMPLES) + u"/demo/server"_s, root));
    const QString log = path(u"requests.jsonl"_s);
    std::unique_ptr<QProcess> first;
    {
        const test::DevServer server(QString::fromUtf8(PATHLOOM_DEVSERVER), root, log);
        ASSERT_FALSE(server.origin().isEmpty());
        const QString port = server.origin().section(u':', -1);
        first = serve(u"first"_s);
        ASSERT_TRUE(waitFor([&] { return hasEvent(u"first"_s, u"screen"_s); }));
        EXPECT_EQ(socketPath(), runtime.filePath(socketName(u"data"_s)));

        const auto second = launch(
            u"second"_s, {u"pathloom://127.0.0.1:%1?app_id=7&authorization=%2&server_id=1"_s.arg(
                             port, QString::fromLatin1(kSecret))});
        EXPECT_EQ(exitOf(*second), 0) << test::readFile(path(u"second.err"_s)).toStdString();

        ASSERT_TRUE(waitFor(
            [&] { return hasEvent(u"first"_s, u"screen"_s, u"title"_s, u"Site Inspection"_s); }));
        const QList<QJsonObject> events = journalOf(journal(u"first"_s));
        const QList<QJsonObject> links = eventsOf(events, u"link"_s);
        ASSERT_EQ(links.size(), 1);
        EXPECT_EQ(links[0].value(u"url"_s), u"pathloom://127.0.0.1:"_s + port);
        EXPECT_EQ(links[0].value(u"understood"_s), true);
        const QList<QJsonObject> loads = eventsOf(events, u"load"_s);
        ASSERT_EQ(loads.size(), 1);
        EXPECT_EQ(loads[0].value(u"source"_s), u"remote"_s);
        EXPECT_EQ(loads[0].value(u"url"_s), server.origin() + u"/api/1/apps/7.json"_s);
        EXPECT_TRUE(std::ranges::any_of(journalOf(log), [](const QJsonObject& request) {
            return request.value(u"method"_s) == u"GET"_s &&
                   request.value(u"path"_s) == u"/api/1/apps/7.json"_s &&
                   request.value(u"status"_s) == 200;
        }));
        first->kill();
        first->waitForFinished();
    }
    for (const QString& name : {u"first.jsonl"_s, u"first.out"_s, u"first.err"_s, u"second.out"_s,
                                u"second.err"_s, u"requests.jsonl"_s}) {
        EXPECT_FALSE(test::readFile(path(name)).contains(kSecret)) << name.toStdString();
    }
}

TEST_F(SingleInstanceTest, ALinkNobodyUnderstandsLeavesTheScreenAsItWas) {
    // No authorization: the scheme manager cannot make a document address of it.
    const QString unreadable = u"pathloom://127.0.0.1:%1/tenant?app_id=7&token=%2#%2"_s.arg(
        closedPort(), QString::fromLatin1(kSecret));
    // Once on the command line, with the app shown from a file, then handed over.
    const auto first = serve(u"first"_s, {listDocument(), unreadable});
    ASSERT_TRUE(waitFor([&] { return hasEvent(u"first"_s, u"screen"_s, u"screen"_s, u"list"_s); }));
    const auto second = launch(u"second"_s, {unreadable});
    EXPECT_EQ(exitOf(*second), 0) << test::readFile(path(u"second.err"_s)).toStdString();
    ASSERT_TRUE(waitFor([&] { return hasEvent(u"first"_s, u"forwarded"_s); }));

    const QList<QJsonObject> events = journalOf(journal(u"first"_s));
    const QList<QJsonObject> links = eventsOf(events, u"link"_s);
    ASSERT_EQ(links.size(), 2);
    for (const QJsonObject& link : links) {
        EXPECT_EQ(link.value(u"understood"_s), false);
        EXPECT_EQ(link.value(u"url"_s),
                  QUrl(unreadable).adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment).toString());
    }
    EXPECT_EQ(eventsOf(events, u"load"_s).size(), 1) << "only the file loaded";
    EXPECT_EQ(eventsOf(events, u"present"_s).size(), 1) << "the list stays";
    first->kill();
    first->waitForFinished();
    const QString err = QString::fromUtf8(test::readFile(path(u"first.err"_s)));
    EXPECT_EQ(err.count(u"Launch URL not understood: pathloom://127.0.0.1:"_s), 2)
        << err.toStdString();
    for (const QString& name : {u"first.jsonl"_s, u"first.err"_s, u"second.err"_s}) {
        EXPECT_FALSE(test::readFile(path(name)).contains(kSecret)) << name.toStdString();
    }
}

TEST_F(SingleInstanceTest, WhatIsNotAMessageIsDroppedAndTheNextLinkStillOpens) {
    const auto first = serve(u"first"_s);
    ASSERT_TRUE(waitFor([&] { return hasEvent(u"first"_s, u"screen"_s); }));
    ASSERT_FALSE(socketPath().isEmpty());

    const QByteArray secret(kSecret);
    const QByteArray cases[] = {
        "not json " + secret + "\n",
        "[\"" + secret + "\"]\n",
        R"({"arguments":")" + secret +
            R"(","cwd":"/"})"
            "\n",
        R"({"arguments":[")" + secret +
            R"(",1],"cwd":"/"})"
            "\n",
        R"({"arguments":[")" + secret +
            R"("]})"
            "\n",
        // A message of the right shape, but over the limit of 64 KiB.
        R"({"arguments":[")" + QByteArray(64 * 1024, 'x') +
            R"("],"cwd":"/"})"
            "\n",
    };
    for (const QByteArray& payload : cases) {
        SCOPED_TRACE(payload.left(60).toStdString());
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        ASSERT_TRUE(socket.waitForConnected(5'000));
        socket.write(payload);
        socket.flush();
        EXPECT_TRUE(waitFor([&] {
            socket.waitForReadyRead(10);
            return socket.state() == QLocalSocket::UnconnectedState;
        }));
        EXPECT_FALSE(socket.readAll().contains("ok"));
    }

    const QString port = closedPort();
    const auto second = launch(
        u"second"_s, {u"pathloom://127.0.0.1:%1?app_id=7&authorization=%2"_s.arg(port, secret)});
    EXPECT_EQ(exitOf(*second), 0) << test::readFile(path(u"second.err"_s)).toStdString();
    ASSERT_TRUE(waitFor([&] { return hasEvent(u"first"_s, u"load"_s); }));
    EXPECT_TRUE(hasEvent(u"first"_s, u"link"_s, u"understood"_s, true));
    EXPECT_TRUE(hasEvent(u"first"_s, u"load"_s, u"url"_s,
                         u"http://127.0.0.1:%1/api/1/apps/7.json"_s.arg(port)));
    first->kill();
    first->waitForFinished();
    const QByteArray err = test::readFile(path(u"first.err"_s));
    EXPECT_EQ(err.count("A message from another start of pathloom-app was dropped"),
              qsizetype(std::size(cases)));
    EXPECT_FALSE(err.contains(secret));
    EXPECT_FALSE(test::readFile(journal(u"first"_s)).contains(secret));
}

TEST_F(SingleInstanceTest, TheSocketOfAKilledInstanceIsTakenOver) {
    const auto killed = serve(u"killed"_s);
    ASSERT_TRUE(waitFor([&] { return hasEvent(u"killed"_s, u"screen"_s); }));
    const QString socket = socketPath();
    killed->kill();
    killed->waitForFinished();
    ASSERT_TRUE(QFileInfo::exists(socket)) << "a killed app leaves its socket behind";

    const auto next = serve(u"next"_s);
    ASSERT_TRUE(waitFor([&] { return hasEvent(u"next"_s, u"screen"_s, u"screen"_s, u"hint"_s); }));
    // A relative path names a file where the start that hands it over runs.
    listDocument();
    const auto handing = launch(u"handing"_s, {u"list.json"_s}, u"data"_s, base.path());
    EXPECT_EQ(exitOf(*handing), 0) << test::readFile(path(u"handing.err"_s)).toStdString();
    EXPECT_TRUE(waitFor([&] { return hasEvent(u"next"_s, u"screen"_s, u"title"_s, u"Lists"_s); }));
    EXPECT_EQ(next->state(), QProcess::Running);
    next->kill();
    next->waitForFinished();
}

TEST_F(SingleInstanceTest, AStartWaitsForTheOneStartingAndHandsItsArgumentsOver) {
    // The test stands in for a start that holds the lock but does not listen yet.
    QLockFile starting(runtime.filePath(socketName(u"data"_s) + u".lock"_s));
    ASSERT_TRUE(starting.tryLock(0));
    const QString link = u"pathloom://127.0.0.1:1?app_id=7&authorization=x"_s;
    const auto waiting = launch(u"waiting"_s, {u"list.json"_s, link}, u"data"_s, base.path());
    ASSERT_TRUE(waitFor([&] {
        return test::readFile(path(u"waiting.err"_s))
            .contains("Waiting for the pathloom-app that is starting on this data folder.");
    })) << "it must not take the socket while another start holds the lock";

    QLocalServer server;
    ASSERT_TRUE(server.listen(runtime.filePath(socketName(u"data"_s))));
    ASSERT_TRUE(server.waitForNewConnection(10'000));
    QLocalSocket* socket = server.nextPendingConnection();
    ASSERT_TRUE(waitFor([&] {
        socket->waitForReadyRead(10);
        return socket->canReadLine();
    }));
    const QJsonObject message = QJsonDocument::fromJson(socket->readLine()).object();
    EXPECT_EQ(message, (QJsonObject{{u"arguments"_s, QJsonArray{u"list.json"_s, link,
                                                                u"--data-dir"_s, path(u"data"_s)}},
                                    {u"cwd"_s, base.path()}}));
    socket->write("ok\n");
    socket->flush();
    EXPECT_EQ(exitOf(*waiting), 0) << test::readFile(path(u"waiting.err"_s)).toStdString();
}

TEST_F(SingleInstanceTest, TwoStartsAtOnceGiveOneWindow) {
    const QString document = listDocument();
    for (const QString& data : {u"race-1"_s, u"race-2"_s, u"race-3"_s}) {
        SCOPED_TRACE(data.toStdString());
        const QString a = data + u"-a"_s;
        const QString b = data + u"-b"_s;
        std::unique_ptr<QProcess> starts[] = {serve(a, {document}, data),
                                              serve(b, {document}, data)};
        std::unique_ptr<QProcess>* ended = nullptr;
        ASSERT_TRUE(waitFor([&] {
            for (auto& start : starts) {
                if (start->waitForFinished(10)) {
                    ended = &start;
                    return true;
                }
            }
            return false;
        }));
        auto& survivor = ended == &starts[0] ? starts[1] : starts[0];
        const QString name = ended == &starts[0] ? b : a;
        EXPECT_EQ((*ended)->exitCode(), 0);
        EXPECT_EQ(survivor->state(), QProcess::Running);
        // Its own load, then the one handed over.
        EXPECT_TRUE(
            waitFor([&] { return eventsOf(journalOf(journal(name)), u"load"_s).size() == 2; }));
        EXPECT_TRUE(hasEvent(name, u"forwarded"_s, u"sources"_s, 1));

        // --new-instance runs beside it.
        const auto beside = serve(data + u"-beside"_s, {document, u"--new-instance"_s}, data);
        EXPECT_TRUE(waitFor(
            [&] { return hasEvent(data + u"-beside"_s, u"screen"_s, u"title"_s, u"Lists"_s); }));
        EXPECT_EQ(beside->state(), QProcess::Running);
        EXPECT_EQ(eventsOf(journalOf(journal(name)), u"load"_s).size(), 2);
        for (QProcess* process : {survivor.get(), beside.get()}) {
            process->kill();
            process->waitForFinished();
        }
    }
}

}  // namespace
}  // namespace pathloom
