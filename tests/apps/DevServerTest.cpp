#include "EventLoop.h"
#include "TestFiles.h"
#include "foundation/Json.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace pathloom {
namespace {

using test::readFile;

using namespace Qt::StringLiterals;

using test::runUntil;

// Bytes that are not UTF-8 and that hold the placeholder, which must reach clients untouched.
const QByteArray pngBytes = QByteArray("\x89PNG\r\n\x1a\n\xff\xfe${origin}", 19);
const QByteArray secret = "outside the root";

struct Reply {
    int status = 0;
    QString contentType;
    QByteArray body;
};

struct Header {
    QByteArray name;
    QByteArray value;
};

class DevServerTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(base.path()).mkpath(u"root/docs"_s));
        ASSERT_TRUE(test::writeFile(base.filePath(u"secret.txt"_s), secret));
        ASSERT_TRUE(QFile::link(base.filePath(u"secret.txt"_s), root(u"escape.txt"_s)));
        ASSERT_TRUE(test::writeFile(root(u"docs/app.json"_s),
                                    R"({"icon": "${origin}/image.png", "also": "${origin}"})"));
        ASSERT_TRUE(test::writeFile(root(u"overridden.json"_s), R"({"from": "file"})"));
        ASSERT_TRUE(test::writeFile(root(u"image.png"_s), pngBytes));
        ASSERT_TRUE(test::writeFile(root(u"photo.jpeg"_s), "jpeg"));
        ASSERT_TRUE(test::writeFile(root(u"page.html"_s), "<p>${origin}</p>"));
        ASSERT_TRUE(test::writeFile(root(u"report.pdf"_s), "%PDF-1.4"));
        ASSERT_TRUE(test::writeFile(root(u"clip.mp4"_s), "mp4"));
        ASSERT_TRUE(test::writeFile(root(u"notes.txt"_s), "notes"));
        ASSERT_TRUE(test::writeFile(root(u"data.bin"_s), "bin"));
        ASSERT_TRUE(test::writeFile(root(u"routes.json"_s), R"([
            {"method": "GET", "path": "/overridden.json", "status": 418,
             "body": {"next": "${origin}/docs/app.json", "list": [1, 2]}},
            {"method": "post", "path": "/submit", "status": 202, "file": "docs/app.json"},
            {"method": "PUT", "path": "/refused", "status": 403, "body": "no"}
        ])"));

        server.setProgram(QString::fromUtf8(PATHLOOM_DEVSERVER));
        server.setArguments({u"--root"_s, root({}), u"--log"_s, logPath()});
        server.setProcessChannelMode(QProcess::SeparateChannels);
        server.start();
        ASSERT_TRUE(server.waitForStarted());
        ASSERT_TRUE(runUntil([this] {
            server.waitForReadyRead(20);
            return server.canReadLine() || server.state() == QProcess::NotRunning;
        }));
        const QString line = QString::fromUtf8(server.readLine()).trimmed();
        const auto match =
            QRegularExpression(u"^Listening on (http://127\\.0\\.0\\.1:(\\d+))$"_s).match(line);
        ASSERT_TRUE(match.hasMatch())
            << line.toStdString() << server.readAllStandardError().toStdString();
        origin = match.captured(1);
        port = match.captured(2).toUShort();
    }

    void TearDown() override {
        network.reset();
        server.terminate();
        EXPECT_TRUE(server.waitForFinished(10'000));
        EXPECT_EQ(server.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(server.exitCode(), 0) << server.readAllStandardError().toStdString();
    }

    QString root(const QString& relative) const { return base.filePath(u"root/"_s + relative); }
    QString logPath() const { return base.filePath(u"requests.jsonl"_s); }

    Reply send(const QByteArray& method, const QString& path, const QByteArray& body = {},
               const QList<Header>& headers = {}) {
        QNetworkRequest request(QUrl(origin + path));
        for (const Header& header : headers) {
            request.setRawHeader(header.name, header.value);
        }
        std::unique_ptr<QNetworkReply> reply(network->sendCustomRequest(request, method, body));
        EXPECT_TRUE(runUntil([&] { return reply->isFinished(); })) << path.toStdString();
        return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                reply->header(QNetworkRequest::ContentTypeHeader).toString(), reply->readAll()};
    }

    // A request written byte for byte, so that no client library tidies the path first.
    Reply sendRaw(const QByteArray& path) {
        QTcpSocket socket;
        socket.connectToHost(u"127.0.0.1"_s, port);
        EXPECT_TRUE(socket.waitForConnected(5'000));
        socket.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
        QByteArray response;
        while (socket.waitForReadyRead(5'000)) {
            response += socket.readAll();
        }
        const QList<QByteArray> statusLine = response.left(response.indexOf("\r\n")).split(' ');
        return {statusLine.value(1).toInt(), {}, response.mid(response.indexOf("\r\n\r\n") + 4)};
    }

    QList<QJsonObject> logged() const {
        QList<QJsonObject> lines;
        for (const QByteArray& line : readFile(logPath()).split('\n')) {
            if (!line.isEmpty()) {
                lines.append(json::parse(line).value_or(QJsonValue()).toObject());
            }
        }
        return lines;
    }

    QList<QJsonObject> logLines(qsizetype atLeast) {
        QList<QJsonObject> lines;
        runUntil([&] {
            lines = logged();
            return lines.size() >= atLeast;
        });
        return lines;
    }

    QTemporaryDir base;
    QProcess server;
    QString origin;
    quint16 port = 0;
    std::unique_ptr<QNetworkAccessManager> network = std::make_unique<QNetworkAccessManager>();
};

TEST_F(DevServerTest, ServesFilesWithTheirContentType) {
    const struct {
        QString path;
        QString contentType;
        QByteArray body;
    } rows[] = {
        {u"/image.png"_s, u"image/png"_s, pngBytes},
        {u"/photo.jpeg"_s, u"image/jpeg"_s, "jpeg"},
        {u"/page.html"_s, u"text/html; charset=utf-8"_s, "<p>${origin}</p>"},
        {u"/report.pdf"_s, u"application/pdf"_s, "%PDF-1.4"},
        {u"/clip.mp4"_s, u"video/mp4"_s, "mp4"},
        {u"/notes.txt"_s, u"text/plain; charset=utf-8"_s, "notes"},
        {u"/data.bin"_s, u"application/octet-stream"_s, "bin"},
    };
    for (const auto& row : rows) {
        const Reply reply = send("GET", row.path);
        EXPECT_EQ(reply.status, 200) << row.path.toStdString();
        EXPECT_EQ(reply.contentType, row.contentType) << row.path.toStdString();
        EXPECT_EQ(reply.body, row.body) << row.path.toStdString();
    }
}

TEST_F(DevServerTest, PutsItsOwnOriginIntoJsonDocuments) {
    const Reply reply = send("GET", u"/docs/app.json"_s);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.contentType, u"application/json"_s);
    const QJsonObject document = json::parse(reply.body).value_or(QJsonValue()).toObject();
    EXPECT_EQ(document.value(u"icon"_s).toString(), origin + u"/image.png"_s);
    EXPECT_EQ(document.value(u"also"_s).toString(), origin);
}

TEST_F(DevServerTest, ScriptedRoutesWinOverFiles) {
    const struct {
        QByteArray method;
        QString path;
        int status;
        QByteArray body;
    } rows[] = {
        {"GET", u"/overridden.json"_s, 418,
         (R"({"list":[1,2],"next":")" + origin + R"(/docs/app.json"})").toUtf8()},
        {"POST", u"/submit"_s, 202,
         (R"({"icon": ")" + origin + R"(/image.png", "also": ")" + origin + R"("})").toUtf8()},
        {"PUT", u"/refused"_s, 403, R"("no")"},
    };
    for (const auto& row : rows) {
        const Reply reply = send(row.method, row.path, "{}");
        EXPECT_EQ(reply.status, row.status) << row.path.toStdString();
        EXPECT_EQ(reply.contentType, u"application/json"_s) << row.path.toStdString();
        EXPECT_EQ(reply.body, row.body) << row.path.toStdString();
    }
    EXPECT_FALSE(QDir(root(u"uploads"_s)).exists());
}

TEST_F(DevServerTest, RefusesPathsThatLeaveTheRoot) {
    for (const QByteArray path :
         {"/../secret.txt", "/docs/../../secret.txt", "/%2e%2e/secret.txt",
          "/docs/%2E%2E/%2E%2E/secret.txt", "/escape.txt", "/missing.txt"}) {
        const Reply reply = sendRaw(path);
        EXPECT_EQ(reply.status, 404) << path.toStdString();
        EXPECT_FALSE(reply.body.contains(secret)) << path.toStdString();
    }
    // A ".." is refused even where it would stay inside, as clients send paths already tidied.
    EXPECT_EQ(sendRaw("/docs/../notes.txt").status, 404);
    EXPECT_EQ(sendRaw("/./docs/.//../notes.txt").status, 404);
    EXPECT_EQ(sendRaw("/./notes.txt").body, "notes");
}

TEST_F(DevServerTest, StoresUploadsWithoutReplacingEarlierOnes) {
    const Reply first = send("PUT", u"/files/My%20Report.pdf"_s, "first");
    EXPECT_EQ(first.status, 201);
    EXPECT_EQ(first.body, R"({"stored":"uploads/My_Report.pdf"})");
    EXPECT_EQ(send("POST", u"/files/My%20Report.pdf"_s, "second").status, 201);
    EXPECT_EQ(send("POST", u"/x/..%2F..%2F.."_s, "third").status, 201);

    EXPECT_EQ(readFile(root(u"uploads/My_Report.pdf"_s)), "first");
    EXPECT_EQ(readFile(root(u"uploads/My_Report-1.pdf"_s)), "second");
    EXPECT_EQ(readFile(root(u"uploads/upload"_s)), "third");
    EXPECT_EQ(QDir(root(u"uploads"_s)).entryList(QDir::Files).size(), 3);
}

TEST_F(DevServerTest, AcceptsAhoyPosts) {
    for (const QString& path : {u"/visits"_s, u"/ahoy/events"_s}) {
        const Reply reply =
            send("POST", path, R"({"visit_token": "v"})", {{"Content-Type", "application/json"}});
        EXPECT_EQ(reply.status, 200) << path.toStdString();
        EXPECT_EQ(reply.body, "{}") << path.toStdString();
    }
    EXPECT_FALSE(QDir(root(u"uploads"_s)).exists());
}

TEST_F(DevServerTest, LogsEveryRequestAsOneJsonLine) {
    send("GET", u"/notes.txt"_s, {}, {{"Authorization", "Bearer token-1"}});
    send("POST", u"/events"_s, R"({"name":"opened"})",
         {{"Content-Type", "application/json"}, {"Ahoy-Visit", "v1"}, {"Ahoy-Visitor", "u1"}});
    send("PUT", u"/photo"_s, "\xff\xd8\xff", {{"Content-Type", "image/jpeg"}});

    const QList<QJsonObject> lines = logLines(3);
    ASSERT_EQ(lines.size(), 3);
    const QJsonObject expected[] = {
        {{u"method"_s, u"GET"_s},
         {u"path"_s, u"/notes.txt"_s},
         {u"status"_s, 200},
         {u"authorization"_s, u"Bearer token-1"_s},
         {u"ahoyVisit"_s, QJsonValue::Null},
         {u"ahoyVisitor"_s, QJsonValue::Null},
         {u"contentType"_s, QJsonValue::Null},
         {u"body"_s, u""_s}},
        {{u"method"_s, u"POST"_s},
         {u"path"_s, u"/events"_s},
         {u"status"_s, 200},
         {u"authorization"_s, QJsonValue::Null},
         {u"ahoyVisit"_s, u"v1"_s},
         {u"ahoyVisitor"_s, u"u1"_s},
         {u"contentType"_s, u"application/json"_s},
         {u"body"_s, uR"({"name":"opened"})"_s}},
        {{u"method"_s, u"PUT"_s},
         {u"path"_s, u"/photo"_s},
         {u"status"_s, 201},
         {u"authorization"_s, QJsonValue::Null},
         {u"ahoyVisit"_s, QJsonValue::Null},
         {u"ahoyVisitor"_s, QJsonValue::Null},
         {u"contentType"_s, u"image/jpeg"_s},
         {u"body"_s, QJsonObject{{u"bytes"_s, 3}}}},
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], expected[i]) << json::write(lines[i]).toStdString();
    }
}

// A client that sends its next request as soon as a reply arrives must find the log in its order.
TEST_F(DevServerTest, ARequestIsLoggedBeforeItsReplyArrives) {
    const QString paths[] = {u"/notes.txt"_s, u"/overridden.json"_s, u"/data.bin"_s,
                             u"/notes.txt"_s, u"/missing"_s};
    QStringList sent;
    for (const QString& path : paths) {
        send("GET", path);
        sent.append(path);
        QStringList inLog;
        for (const QJsonObject& line : logged()) {
            inLog.append(line[u"path"_s].toString());
        }
        EXPECT_EQ(inLog, sent);
    }
}

}  // namespace
}  // namespace pathloom
