#include "DevServer.h"
#include "JsonLiteral.h"
#include "PdfInspection.h"
#include "QtPrinting.h"
#include "TestFiles.h"
#include "foundation/Json.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
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

// Runs `pathloom` against a development server of its own, each on a temporary folder, as an app
// author would from a shell.
class PathloomRunTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(base.isValid()); }

    void TearDown() override { server.reset(); }

    QString path(const QString& relative) const { return base.filePath(relative); }

    // Serves the files under root/ and returns the server's origin.
    QString startServer() {
        server.emplace(QString::fromUtf8(PATHLOOM_DEVSERVER), path(u"root"_s),
                       path(u"requests.jsonl"_s));
        return server->origin();
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
    std::optional<test::DevServer> server;
    QString origin;
};

TEST_F(PathloomRunTest, WalksTheDemoWorkflowToItsCompletion) {
    ASSERT_TRUE(test::copyTree(QStringLiteral(PATHLOOM_EXAMPLES "/demo/server"), path(u"root"_s)));
    const QByteArray answers = readFile(QStringLiteral(PATHLOOM_EXAMPLES "/demo/answers.json"));
    ASSERT_TRUE(test::writeFile(path(u"photo.png"_s),
                                readFile(QStringLiteral(PATHLOOM_EXAMPLES "/demo/photo.png"))));
    origin = startServer();

    const CommandRun walk = run(u"inspection"_s, answers,
                                {u"--token"_s, u"demo-token"_s, u"--outbox"_s, path(u"outbox"_s),
                                 u"--files-dir"_s, path(u"files"_s)});

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
                                 u"PUT /rooms/2/checked"_s, u"GET /guide.pdf"_s}))
        << "the list's selection fills the page's URL template";
    EXPECT_EQ(requests().last().value(u"authorization"_s), QJsonValue(QJsonValue::Null))
        << "the PDF may live on another host, so it is fetched without the token";
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

    const QStringList mails = QDir(path(u"outbox"_s)).entryList(QDir::Files);
    ASSERT_EQ(mails, QStringList{u"email_report-1.eml"_s});
    const QString mail = QString::fromUtf8(readFile(path(u"outbox/"_s + mails[0])));
    for (const QString& line :
         {u"To: facilities@example.com"_s, u"Subject: Site Inspection - Inspection"_s,
          u"inspector.answer: Ada"_s, u"follow_up.selected.text: Schedule a repair"_s,
          u"Content-Type: image/png;"_s}) {
        EXPECT_TRUE(mail.split(u"\r\n"_s).contains(line)) << line.toStdString();
    }
    const QByteArray scan = readFile(path(u"files/receipt.pdf"_s));
    EXPECT_TRUE(scan.startsWith("%PDF-"));
    EXPECT_EQ(test::pdfPageCount(scan), 3) << "one page per scanned picture";
    QDirIterator photos(path(u"files"_s), {u"photo.png"_s}, QDir::Files,
                        QDirIterator::Subdirectories);
    ASSERT_TRUE(photos.hasNext()) << "the captured photo is stored in the files folder";
    EXPECT_EQ(readFile(photos.next()),
              readFile(QStringLiteral(PATHLOOM_EXAMPLES "/demo/photo.png")));
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

TEST_F(PathloomRunTest, MailsCarryTheFilesTheyAskForAndLineBreaksAddNoHeaders) {
    ASSERT_TRUE(test::writeFile(
        path(u"root/app.json"_s),
        R"({"id":5,"name":"Shop\r\nBcc: app@example.com","servers":[{"id":1,"url":"${origin}"}],
      "navigationStyle":"list","workflows":[{"id":1,"identifier":"send","name":"Send","steps":[
        {"type":"imageCapture","identifier":"shot"},
        {"type":"email","identifier":"mail","sendTo":"desk@example.com\nBcc: to@example.com",
         "requestPropertyIdentifiers":["picture.png"]}]}]})"));
    const QByteArray picture = test::pngBytes(QSize(7, 5));
    ASSERT_TRUE(test::writeFile(path(u"picture.png"_s), picture));
    origin = startServer();

    const CommandRun walk =
        run(u"send"_s, R"({"shot":"picture.png"})", {u"--outbox"_s, path(u"outbox"_s)});

    ASSERT_EQ(walk.exitCode, 0) << walk.err.toStdString();
    const QString mail = QString::fromUtf8(readFile(path(u"outbox/mail-1.eml"_s)));
    const QStringList lines = mail.split(u"\r\n"_s);
    EXPECT_TRUE(lines.contains(u"To: desk@example.com Bcc: to@example.com"_s))
        << mail.toStdString();
    EXPECT_TRUE(lines.filter(QRegularExpression(u"^Bcc:"_s)).isEmpty()) << mail.toStdString();
    EXPECT_EQ(lines.filter(QRegularExpression(u"^Subject:"_s)).size(), 1);
    const qsizetype part = lines.indexOf(u"Content-Disposition: attachment;"_s);
    ASSERT_GT(part, 0) << mail.toStdString();
    EXPECT_EQ(lines[part - 3], u"Content-Type: image/png;"_s);
    QByteArray encoded;
    for (qsizetype line = part + 3; line < lines.size() && !lines[line].startsWith(u"--"_s);
         ++line) {
        encoded += lines[line].toLatin1();
    }
    EXPECT_EQ(QByteArray::fromBase64(encoded), picture);
}

TEST_F(PathloomRunTest, RefusesWhatAScreenWouldRefuseWithTheScreensText) {
    ASSERT_TRUE(test::writeFile(path(u"root/app.json"_s),
                                R"({"id":6,"name":"Refusals","servers":[{"id":1,"url":"${origin}"}],
      "navigationStyle":"list","workflows":[
        {"id":1,"identifier":"count","steps":[{"type":"question","identifier":"n",
          "answerFormat":{"_class":"ORKNumericAnswerFormat","style":"integer","minimum":1,"maximum":10}}]},
        {"id":2,"identifier":"code","steps":[{"type":"question","identifier":"t",
          "answerFormat":{"_class":"ORKTextAnswerFormat","validationRegularExpression":
            {"pattern":"^[A-Z]{3}$","options":[]},
           "invalidMessage":"Three capital letters, please."}}]},
        {"id":3,"identifier":"shoot","steps":[{"type":"imageCapture","identifier":"shot"}]},
        {"id":4,"identifier":"mail","steps":[{"type":"email","identifier":"m"}]},
        {"id":5,"identifier":"guide","steps":[{"type":"pdfViewer","identifier":"p","pdfURL":"/data.json"}]},
        {"id":6,"identifier":"elsewhere","steps":[{"type":"pdfViewer","identifier":"p","pdfURL":"mailto:a@example.com"}]},
        {"id":7,"identifier":"ask","steps":[{"type":"question","identifier":"q",
          "answerFormat":{"_class":"ORKBooleanAnswerFormat"}}]}]})"));
    ASSERT_TRUE(test::writeFile(path(u"root/data.json"_s), R"({"not":"a PDF"})"));
    ASSERT_TRUE(test::writeFile(path(u"notes.txt"_s), "plain words"));
    ASSERT_TRUE(test::writeFile(path(u"blocked"_s), "a file where the outbox should be"));
    origin = startServer();

    const struct {
        QString workflow;
        QByteArray answers;
        QStringList extra;
        QString error;
    } cases[] = {
        {u"count"_s, R"({"n":11})", {}, u"Enter a number from 1 to 10."_s},
        {u"count"_s, R"({"n":2.5})", {}, u"Enter a whole number."_s},
        {u"code"_s, R"({"t":"abc"})", {}, u"Three capital letters, please."_s},
        {u"shoot"_s, R"({"shot":"notes.txt"})", {}, u"This file is not a picture."_s},
        {u"mail"_s,
         R"({})",
         {u"--outbox"_s, path(u"blocked"_s)},
         u"Could not write the message to "_s + path(u"blocked"_s)},
        {u"guide"_s, R"({})", {}, u"Unable to load PDF."_s},
        {u"elsewhere"_s, R"({})", {}, u"Unable to load PDF, invalid URL."_s},
        {u"ask"_s, R"({})", {u"--strict"_s}, u"The step 'q' needs an answer."_s},
    };
    for (const auto& refused : cases) {
        const CommandRun walk = run(refused.workflow, refused.answers, refused.extra);
        EXPECT_EQ(walk.exitCode, 1) << refused.workflow.toStdString();
        EXPECT_TRUE(walk.report.value(u"error"_s).toString().startsWith(refused.error))
            << walk.report.value(u"error"_s).toString().toStdString();
        EXPECT_TRUE(walk.err.trimmed().split(u'\n').last().startsWith(refused.error))
            << walk.err.toStdString();
    }

    const CommandRun lenient = run(u"ask"_s, R"({})");
    EXPECT_EQ(lenient.exitCode, 0) << "without --strict an unanswered question goes forward";
}

}  // namespace
}  // namespace pathloom
