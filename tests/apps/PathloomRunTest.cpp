#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "TestFiles.h"
#include "foundation/Json.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace pathloom {
namespace {

using test::readFile;

using namespace Qt::StringLiterals;

struct CommandRun {
    int exitCode = -1;
    QStringList lines;
    QString err;
    QJsonObject report;
};

void copyTree(const QString& from, const QString& to) {
    QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        ASSERT_TRUE(test::writeFile(to + u'/' + QDir(from).relativeFilePath(file), readFile(file)));
    }
}

// Runs `pathloom` against a development server of its own, each on a temporary folder, as an app
// author would from a shell.
class PathloomRunTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(base.isValid()); }

    void TearDown() override {
        if (server.state() != QProcess::NotRunning) {
            server.terminate();
            EXPECT_TRUE(server.waitForFinished(10'000));
            EXPECT_EQ(server.exitCode(), 0) << server.readAllStandardError().toStdString();
        }
    }

    QString path(const QString& relative) const { return base.filePath(relative); }

    // Serves the files under root/ and returns the server's origin.
    QString startServer() {
        server.setProgram(QString::fromUtf8(PATHLOOM_DEVSERVER));
        server.setArguments({u"--root"_s, path(u"root"_s), u"--log"_s, path(u"requests.jsonl"_s)});
        server.start();
        EXPECT_TRUE(server.waitForStarted());
        const QDeadlineTimer deadline(10'000);
        while (!server.canReadLine() && !deadline.hasExpired() &&
               server.state() == QProcess::Running) {
            server.waitForReadyRead(50);
        }
        const QString line = QString::fromUtf8(server.readLine()).trimmed();
        const auto match =
            QRegularExpression(u"^Listening on (http://127\\.0\\.0\\.1:\\d+)$"_s).match(line);
        EXPECT_TRUE(match.hasMatch()) << line.toStdString();
        return match.captured(1);
    }

    // `pathloom run` of the served app.json with the given answers; the report is read back.
    CommandRun run(const QString& workflow, const QByteArray& answers,
                   const QStringList& extra = {}) {
        EXPECT_TRUE(test::writeFile(path(u"answers.json"_s), answers));
        QStringList arguments{u"run"_s,         origin + u"/app.json"_s,
                              u"--server-id"_s, u"1"_s,
                              u"--workflow"_s,  workflow,
                              u"--answers"_s,   path(u"answers.json"_s),
                              u"--report"_s,    path(u"report.json"_s),
                              u"--data-dir"_s,  path(u"data"_s)};
        QFile::remove(path(u"report.json"_s));
        QProcess process;
        process.start(QString::fromUtf8(PATHLOOM_COMMAND), arguments + extra);
        EXPECT_TRUE(process.waitForFinished(60'000));
        CommandRun result{
            process.exitCode(),
            QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
            QString::fromUtf8(process.readAllStandardError()),
            {}};
        const auto report = json::parse(readFile(path(u"report.json"_s)));
        EXPECT_TRUE(report && report->isObject()) << result.err.toStdString();
        if (report) {
            result.report = report->toObject();
        }
        return result;
    }

    // Every request the server logged, in order, without the analytics posts.
    QList<QJsonObject> requests(bool analytics = false) const {
        QList<QJsonObject> found;
        for (const QByteArray& line : readFile(path(u"requests.jsonl"_s)).split('\n')) {
            if (line.isEmpty()) {
                continue;
            }
            const QJsonObject request = test::jsonObject(line);
            if (request.value(u"path"_s).toString().startsWith(u"/ahoy/"_s) == analytics) {
                found.append(request);
            }
        }
        return found;
    }

    static QStringList steps(const CommandRun& run) {
        QStringList identifiers;
        for (const QJsonValue& step : run.report.value(u"steps"_s).toArray()) {
            identifiers.append(step.toString());
        }
        return identifiers;
    }

    QTemporaryDir base;
    QProcess server;
    QString origin;
};

TEST_F(PathloomRunTest, WalksTheDemoWorkflowToItsCompletion) {
    copyTree(QStringLiteral(PATHLOOM_EXAMPLES "/demo/server"), path(u"root"_s));
    const QByteArray answers = readFile(QStringLiteral(PATHLOOM_EXAMPLES "/demo/answers.json"));
    ASSERT_TRUE(test::writeFile(path(u"photo.png"_s),
                                readFile(QStringLiteral(PATHLOOM_EXAMPLES "/demo/photo.png"))));
    origin = startServer();

    const CommandRun walk = run(u"inspection"_s, answers, {u"--token"_s, u"demo-token"_s});

    ASSERT_EQ(walk.exitCode, 0) << walk.err.toStdString();
    const QStringList expected{u"welcome"_s, u"inspector"_s, u"site_type"_s,    u"accessible"_s,
                               u"details"_s, u"photo"_s,     u"submit"_s,       u"processing"_s,
                               u"rooms"_s,   u"room"_s,      u"follow_up"_s,    u"summary"_s,
                               u"rating"_s,  u"thanks"_s,    u"email_report"_s, u"guide"_s,
                               u"receipt"_s, u"done"_s};
    EXPECT_EQ(steps(walk), expected) << "the rule after 'accessible' skips 'blocked'";
    EXPECT_EQ(walk.lines.size(), expected.size());
    EXPECT_EQ(walk.lines.value(12), u"  rating (ORKQuestionStep) \"How did the inspection go?\""_s)
        << "the workflow opened by a button runs nested";
    EXPECT_EQ(walk.report.value(u"finish"_s), QJsonValue(u"completed"_s));
    EXPECT_EQ(walk.report.value(u"error"_s), QJsonValue(QJsonValue::Null));
    const QJsonObject session = walk.report.value(u"session"_s).toObject();
    EXPECT_EQ(session.value(u"inspector"_s), QJsonValue(test::jsonObject(R"({"answer":"Ada"})")))
        << "the outer workflow's answers survive the nested one";
    EXPECT_EQ(session.value(u"floors"_s), QJsonValue(test::jsonObject(R"({"answer":3})")));
    EXPECT_EQ(session.value(u"submit"_s),
              QJsonValue(test::jsonObject(R"({"inspection":17,"status":"received"})")));

    QStringList seen;
    for (const QJsonObject& request : requests()) {
        seen.append(request.value(u"method"_s).toString() + u' ' +
                    request.value(u"path"_s).toString());
    }
    EXPECT_EQ(seen, (QStringList{u"GET /app.json"_s, u"POST /inspections"_s, u"PUT /uploads/Ada"_s,
                                 u"GET /rooms.json"_s, u"GET /rooms/2.json"_s,
                                 u"PUT /rooms/2/checked"_s}))
        << "the list's selection fills the page's URL template";
    const QJsonObject post = requests()[1];
    EXPECT_EQ(post.value(u"authorization"_s), QJsonValue(u"Bearer demo-token"_s));
    const QJsonObject posted = test::jsonObject(post.value(u"body"_s).toString().toUtf8());
    EXPECT_EQ(posted.value(u"payload"_s).toObject().value(u"accessible"_s),
              QJsonValue(test::jsonObject(R"({"answer":true})")));
    EXPECT_EQ(posted.value(u"binaries"_s),
              QJsonValue(QJsonArray{
                  test::jsonObject(R"({"identifier":"photo","mimetype":"image/png"})")}));
    const QJsonObject upload = requests()[2];
    EXPECT_EQ(upload.value(u"contentType"_s), QJsonValue(u"image/png"_s));
    EXPECT_EQ(readFile(path(u"root/uploads/Ada"_s)),
              readFile(QStringLiteral(PATHLOOM_EXAMPLES "/demo/photo.png")));

    QStringList events;
    for (const QJsonObject& request : requests(true)) {
        const QJsonObject body = test::jsonObject(request.value(u"body"_s).toString().toUtf8());
        for (const QJsonValue& event : body.value(u"events"_s).toArray()) {
            events.append(event.toObject().value(u"name"_s).toString());
        }
    }
    EXPECT_EQ(events.count(u"app_opened"_s), 1);
    EXPECT_EQ(events.count(u"workflow_opened"_s), 2);
    EXPECT_EQ(events.count(u"step_opened"_s), expected.size())
        << "the run waits for the analytics posts still in flight";
}

const QByteArray kBranchingApp =
    R"({"id":3,"name":"Branches","servers":[{"id":1,"url":"${origin}"}],
  "navigationStyle":"list","workflows":[{"id":1,"identifier":"branch","name":"Branch","steps":[
    {"type":"question","identifier":"ok","answerFormat":{"_class":"ORKBooleanAnswerFormat"}},
    {"type":"instructions","identifier":"good"},
    {"type":"instructions","identifier":"bad"},
    {"type":"network","identifier":"send","url":"/send/{ok.answer}"},
    {"type":"completion","identifier":"done"}],
  "navigationRules":[
    {"from":"ok","rules":[{"to":"good","propertyKeyPath":"ok.answer","operand":"==","value":"true"},
                          {"to":"bad"}]},
    {"from":"good","rules":[{"to":"send"}]}]}]})";

TEST_F(PathloomRunTest, BranchesByTheNavigationRules) {
    ASSERT_TRUE(test::writeFile(path(u"root/app.json"_s), kBranchingApp));
    ASSERT_TRUE(test::writeFile(path(u"root/routes.json"_s), R"([
        {"method":"POST","path":"/send/true","body":{"response":{"took":"good"}}},
        {"method":"POST","path":"/send/false","body":{"response":{"took":"bad"}}}])"));
    origin = startServer();

    const struct {
        QByteArray answers;
        QStringList steps;
        QString took;
    } cases[] = {
        {R"({"ok":true})", {u"ok"_s, u"good"_s, u"send"_s, u"done"_s}, u"good"_s},
        {R"({"ok":false})", {u"ok"_s, u"bad"_s, u"send"_s, u"done"_s}, u"bad"_s},
    };
    for (const auto& branch : cases) {
        const CommandRun walk = run(u"1"_s, branch.answers);
        EXPECT_EQ(walk.exitCode, 0) << walk.err.toStdString();
        EXPECT_EQ(steps(walk), branch.steps) << branch.answers.toStdString();
        EXPECT_EQ(walk.report.value(u"session"_s).toObject().value(u"send"_s),
                  QJsonValue(QJsonObject{{u"took"_s, branch.took}}));
    }
}

TEST_F(PathloomRunTest, AFailingNetworkStepEndsTheRunWithItsError) {
    ASSERT_TRUE(test::writeFile(path(u"root/app.json"_s), kBranchingApp));
    ASSERT_TRUE(test::writeFile(
        path(u"root/routes.json"_s),
        R"([{"method":"POST","path":"/send/true","status":500,"body":{"error":"down"}}])"));
    origin = startServer();

    const CommandRun walk = run(u"branch"_s, R"({"ok":true})");

    EXPECT_EQ(walk.exitCode, 1);
    EXPECT_EQ(steps(walk), (QStringList{u"ok"_s, u"good"_s, u"send"_s}))
        << "the run stops on the failing step";
    EXPECT_EQ(walk.report.value(u"finish"_s), QJsonValue(u"failed"_s));
    const QString error = walk.report.value(u"error"_s).toString();
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(walk.err.trimmed().endsWith(error)) << walk.err.toStdString();
    EXPECT_EQ(walk.report.value(u"session"_s).toObject().value(u"ok"_s),
              QJsonValue(test::jsonObject(R"({"answer":true})")))
        << "the session as it was when the run failed";
}

TEST_F(PathloomRunTest, FailsWhereAUserWouldBeStuck) {
    ASSERT_TRUE(test::writeFile(path(u"root/app.json"_s),
                                R"({"id":4,"name":"Stuck","servers":[{"id":1,"url":"${origin}"}],
      "navigationStyle":"list","workflows":[
        {"id":1,"identifier":"pick","steps":[{"type":"list","identifier":"l","items":[{"id":1,"text":"One"}]}]},
        {"id":2,"identifier":"remote","steps":[{"type":"networkList","identifier":"nl","url":"/missing.json"}]},
        {"id":3,"identifier":"press","steps":[{"type":"display","identifier":"d","items":[
          {"type":"button","label":"Open","modalWorkflow":"Nowhere"}]}]},
        {"id":4,"identifier":"ask","steps":[{"type":"question","identifier":"q",
          "answerFormat":{"_class":"ORKBooleanAnswerFormat"}}]}]})"));
    origin = startServer();

    const struct {
        QString workflow;
        QByteArray answers;
        QString error;
    } cases[] = {
        {u"pick"_s, R"({"l":2})", u"The list 'l' has no entry with the id 2."_s},
        {u"press"_s, R"({"d":"Open"})", u"Could not find workflow: Nowhere"_s},
        {u"ask"_s, R"({"q":"yes"})", u"The answer for 'q' must be true or false."_s},
        {u"unknown"_s, R"({})", u"The app has no workflow with the id or identifier 'unknown'."_s},
    };
    for (const auto& stuck : cases) {
        const CommandRun walk = run(stuck.workflow, stuck.answers);
        EXPECT_EQ(walk.exitCode, 1) << stuck.workflow.toStdString();
        EXPECT_EQ(walk.report.value(u"error"_s), QJsonValue(stuck.error));
        EXPECT_TRUE(walk.err.trimmed().endsWith(stuck.error)) << walk.err.toStdString();
    }

    // A few times over: the failed fetch's reply may still be on its way out as the run ends,
    // and the program must still end cleanly.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const CommandRun remote = run(u"remote"_s, R"({})");
        EXPECT_EQ(remote.exitCode, 1) << "a list that fails to load is an error alert";
        EXPECT_EQ(remote.report.value(u"error"_s),
                  QJsonValue(u"The server answered with status 404 (Not Found)."_s));
        EXPECT_TRUE(remote.err.trimmed().endsWith(remote.report.value(u"error"_s).toString()))
            << remote.err.toStdString();
    }
}

}  // namespace
}  // namespace pathloom
