#include "CommandProcessTest.h"
#include "QtPrinting.h"
#include "TestHttpServer.h"
#include "foundation/Json.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

using test::CommandRun;

// A symbol no screen can draw (a warning) on line 4, a rule going to no step (an error) on
// line 7.
const QByteArray kFlawed = R"({"id":1,"name":"Lint",
"servers":[{"id":1,"url":"https://api.example.com"}],"navigationStyle":"list",
"workflows":[{"id":1,"identifier":"w","name":"W",
  "sfSymbolName":"no.such.symbol",
  "steps":[{"type":"instructions","identifier":"a"},{"type":"instructions","identifier":"b"}],
  "navigationRules":[{"from":"a","rules":[
    {"to":"z"}]}]}]})";

class PathloomLintTest : public test::CommandProcessTest {
protected:
    CommandRun lint(QStringList arguments) {
        arguments.prepend(u"lint"_s);
        return pathloom(arguments);
    }

    QString document(const QByteArray& bytes) {
        return CommandProcessTest::document(u"app.json"_s, bytes);
    }

    static QByteArray withoutRules(QByteArray bytes) {
        return bytes.replace(R"({"to":"z"})", R"({"to":"b"})");
    }
};

TEST_F(PathloomLintTest, PrintsALineAFindingSortedByPlaceAndFailsOnErrors) {
    const QString path = document(kFlawed);

    const CommandRun run = lint({path});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, path +
                           u":4:18: warning: no symbol is named 'no.such.symbol', so none is drawn "
                           u"[symbol-unknown]\n"_s +
                           path +
                           u":7:11: error: 'z' is not a step of workflow 'w'; the task goes on to "
                           u"the next step instead [rule-destination-unknown]\n"_s);
    EXPECT_TRUE(run.err.endsWith(u"1 error, 1 warning\n"_s)) << run.err.toStdString();
}

TEST_F(PathloomLintTest, WarningsPassUnlessTheyAreToFail) {
    const QString path = document(withoutRules(kFlawed));

    EXPECT_EQ(lint({path}).exitCode, 0);
    EXPECT_EQ(lint({path, u"--werror"_s}).exitCode, 1);
}

TEST_F(PathloomLintTest, ListsTheFindingsAsJson) {
    const CommandRun run = lint({document(kFlawed), u"--json"_s});

    EXPECT_EQ(run.exitCode, 1);
    const auto json = json::parse(run.out.toUtf8());
    ASSERT_TRUE(json && json->isArray()) << run.out.toStdString();
    ASSERT_EQ(json->toArray().size(), 2);
    EXPECT_EQ(json->toArray()[1].toObject(),
              (QJsonObject{{u"severity"_s, u"error"_s},
                           {u"code"_s, u"rule-destination-unknown"_s},
                           {u"message"_s,
                            u"'z' is not a step of workflow 'w'; the task goes on "
                            u"to the next step instead"_s},
                           {u"path"_s, u"workflows[0].navigationRules[0].rules[0].to"_s},
                           {u"line"_s, 7},
                           {u"column"_s, 11}}));
}

TEST_F(PathloomLintTest, ATextThatIsNotJsonGivesTheParseErrorAndItsPlace) {
    const QString path = document("{\"id\": 1,\n  \"name\": }");

    const CommandRun run = lint({path});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(
        path + u":2:12: error: The data couldn't be read because it isn't valid JSON"_s))
        << run.err.toStdString();
}

TEST_F(PathloomLintTest, ADocumentThatCannotLoadGivesTheLoadErrorAndNoFinding) {
    const CommandRun run = lint({document(QByteArray(kFlawed).replace(
        R"({"type":"instructions","identifier":"b"})", R"({"type":"network","identifier":"b"})"))});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(
        run.err.trimmed().endsWith(u"Invalid step data: Failed to parse step 'b' in workflow 'w':\n"
                                   u"Invalid step data: Invalid NetworkStep url for b.."_s))
        << run.err.toStdString();
}

TEST_F(PathloomLintTest, NamesThePathOfFindingsInADocumentFromAServer) {
    test::TestHttpServer server;
    server.reply(u"GET"_s, u"/app.json"_s, {.body = kFlawed});
    const QString url = server.url(u"/app.json"_s).toString();

    const CommandRun run = lint({url});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.contains(url + u": workflows[0].navigationRules[0].rules[0].to: error: "_s))
        << run.out.toStdString();
}

TEST_F(PathloomLintTest, TheExamplesLintClean) {
    const QString examples = QString::fromUtf8(PATHLOOM_EXAMPLES);
    QFile demo(examples + u"/demo/server/app.json"_s);
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    // The development server fills in its own address.
    const QString served = document(demo.readAll().replace("${origin}", "http://127.0.0.1:8080"));

    for (const QStringList& arguments :
         {QStringList{examples + u"/field-survey.json"_s, u"--server-id"_s, u"1"_s},
          QStringList{served, u"--server-id"_s, u"1"_s},
          QStringList{examples + u"/answer-formats/app.json"_s}}) {
        const CommandRun run = lint(arguments + QStringList{u"--werror"_s});
        EXPECT_EQ(run.exitCode, 0) << arguments.first().toStdString() << run.out.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST_F(PathloomLintTest, TheCachedDocumentIsNoSource) {
    const CommandRun run = lint({u"cached"_s});

    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(u"give a file or an http(s) URL"_s));
}

}  // namespace
}  // namespace pathloom
