#include "AppProcessTest.h"
#include "DevServer.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "TestFiles.h"
#include "foundation/Json.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::AppRun;

class PathloomAppTest : public test::AppProcessTest {};

const QByteArray kWorkflows = R"("servers":[{"id":1,"url":"https://api.example.com"}],
  "workflows":[
    {"id":1,"identifier":"one","name":"A","steps":[{"type":"instructions","identifier":"hello","title":"Hello"},
                                                   {"type":"completion","identifier":"bye","title":"Bye"}]},
    {"id":2,"identifier":"two","steps":[{"type":"instructions","identifier":"b"}]},
    {"id":3,"identifier":"three","name":"C","steps":[{"type":"instructions","identifier":"c"}]}])";

TEST_F(PathloomAppTest, ShowsTheHintWhenNothingCanBeLoaded) {
    const AppRun run = app({u"--screenshot-dir"_s, path(u"shots"_s)});

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_FALSE(run.events(u"screen"_s).isEmpty());
    EXPECT_EQ(run.events(u"screen"_s).first().value(u"screen"_s), QJsonValue(u"hint"_s));
    const QStringList shots = QDir(path(u"shots"_s)).entryList({u"*.png"_s});
    ASSERT_FALSE(shots.isEmpty());
    const QImage shot(path(u"shots/"_s + shots.first()));
    EXPECT_EQ(shot.size(), QSize(420, 760));
}

TEST_F(PathloomAppTest, ShowsTheAppInItsNavigationStyle) {
    const QString list = document(
        u"list.json"_s, R"({"id":1,"name":"Lists","navigationStyle":"list",)" + kWorkflows + "}");
    const QString tabs =
        document(u"tabs.json"_s, R"({"id":2,"name":"Tabs","navigationStyle":"tab_bar",
            "navigationWorkflow1Id":3,"navigationWorkflow2Id":99,"navigationWorkflow3Id":1,)" +
                                     kWorkflows + "}");
    const QString primary = document(
        u"primary.json"_s, R"({"id":3,"name":"Primary","navigationStyle":"primary_workflow",
            "navigationWorkflow1Id":42,)" +
                               kWorkflows + "}");

    const AppRun listed = app({list});
    EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    const QList<QJsonObject> listScreens = listed.events(u"screen"_s);
    ASSERT_FALSE(listScreens.isEmpty());
    EXPECT_EQ(listScreens.last().value(u"title"_s), QJsonValue(u"Lists"_s));
    EXPECT_EQ(listScreens.last().value(u"rows"_s), QJsonValue(QJsonArray{u"A"_s, u""_s, u"C"_s}));

    const struct {
        QStringList arguments;
        QJsonArray tabs;
        int selected;
    } tabCases[] = {
        {{tabs}, QJsonArray{3, 1}, 0},
        {{tabs, u"--initial-workflow"_s, u"1"_s}, QJsonArray{3, 1}, 1},
    };
    for (const auto& tabCase : tabCases) {
        const AppRun tabbed = app(tabCase.arguments);
        EXPECT_EQ(tabbed.exitCode, 0) << tabbed.err.toStdString();
        const QList<QJsonObject> screens = tabbed.events(u"screen"_s);
        ASSERT_FALSE(screens.isEmpty());
        QJsonArray ids;
        for (const QJsonValue& tab : screens.last().value(u"tabs"_s).toArray()) {
            ids.append(tab.toObject().value(u"workflow"_s));
        }
        EXPECT_EQ(ids, tabCase.tabs);
        EXPECT_EQ(screens.last().value(u"selected"_s), QJsonValue(tabCase.selected));
        EXPECT_EQ(tabbed.events(u"present"_s).size(), 1) << "nothing opens over the tabs";
    }

    const AppRun missing = app({primary});
    EXPECT_EQ(missing.exitCode, 0) << missing.err.toStdString();
    const QList<QJsonObject> alerts = missing.events(u"alert"_s);
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_EQ(alerts[0].value(u"title"_s), QJsonValue(u"Error"_s));
    EXPECT_EQ(alerts[0].value(u"buttons"_s), QJsonValue(QJsonArray{u"OK"_s}));
    EXPECT_TRUE(missing.events(u"screen"_s).isEmpty()) << "no hint after a style that cannot show";
}

// The quit timer is far beyond the wait for the process: only the first paint can end these runs.
TEST_F(PathloomAppTest, QuitsOnceTheLoadedAppHasPaintedAndFailsWithoutOne) {
    constexpr int kNever = 600;
    const QString list = document(
        u"list.json"_s, R"({"id":1,"name":"Lists","navigationStyle":"list",)" + kWorkflows + "}");
    const QString tabs =
        document(u"tabs.json"_s, R"({"id":2,"name":"Tabs","navigationStyle":"tab_bar",
            "navigationWorkflow1Id":3,"navigationWorkflow3Id":1,)" +
                                     kWorkflows + "}");
    const QString primary = document(
        u"primary.json"_s, R"({"id":3,"name":"Primary","navigationStyle":"primary_workflow",
            "navigationWorkflow1Id":1,)" +
                               kWorkflows + "}");
    const QString unshowable = document(
        u"unshowable.json"_s, R"({"id":4,"name":"Primary","navigationStyle":"primary_workflow",
            "navigationWorkflow1Id":42,)" +
                                  kWorkflows + "}");

    for (const QString& shown : {list, tabs, primary}) {
        const AppRun run =
            app({shown, u"--quit-after-first-paint"_s}, kNever, QFileInfo(shown).baseName());
        EXPECT_EQ(run.exitCode, 0) << shown.toStdString() << run.err.toStdString();
        EXPECT_EQ(run.events(u"present"_s).size(), 1) << shown.toStdString();
    }

    const AppRun cached = app({u"cached"_s, u"--quit-after-first-paint"_s}, kNever, u"primary"_s);
    EXPECT_EQ(cached.exitCode, 0) << cached.err.toStdString();

    const AppRun failed = app({unshowable, u"--quit-after-first-paint"_s}, kNever, u"failed"_s);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.events(u"alert"_s).size(), 1);

    const AppRun nothing = app({u"--quit-after-first-paint"_s}, kNever, u"nothing"_s);
    EXPECT_EQ(nothing.exitCode, 1);
    ASSERT_FALSE(nothing.events(u"screen"_s).isEmpty());
    EXPECT_EQ(nothing.events(u"screen"_s).first().value(u"screen"_s), QJsonValue(u"hint"_s));
}

TEST_F(PathloomAppTest, AFailedLoadShowsItsErrorThenTheHint) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString url = u"http://127.0.0.1:%1/app.json"_s.arg(closed.serverPort());
    closed.close();

    const AppRun run = app({url});

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QList<QJsonObject> alerts = run.events(u"alert"_s);
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_EQ(alerts[0].value(u"title"_s), QJsonValue(u"Error"_s));
    EXPECT_FALSE(alerts[0].value(u"message"_s).toString().isEmpty());
    ASSERT_FALSE(run.events(u"screen"_s).isEmpty());
    EXPECT_EQ(run.events(u"screen"_s).last().value(u"screen"_s), QJsonValue(u"hint"_s));
}

TEST_F(PathloomAppTest, TheAutopilotWalksOnScreenAsTheCommandWalksWithout) {
    const QString list = document(
        u"list.json"_s, R"({"id":1,"name":"Lists","navigationStyle":"list",)" + kWorkflows + "}");
    const QString answers = document(u"answers.json"_s, R"({"hello":"ignored"})");

    const struct {
        QString workflow;
        int exitCode;
    } cases[] = {{u"1"_s, 0}, {u"one"_s, 0}, {u"nosuch"_s, 1}};
    for (const auto& walk : cases) {
        const AppRun onScreen = app({list, u"--autopilot"_s, answers, u"--workflow"_s,
                                     walk.workflow, u"--report"_s, path(u"screen-report.json"_s)},
                                    30);
        const AppRun headless = command({list, u"--workflow"_s, walk.workflow, u"--answers"_s,
                                         answers, u"--report"_s, path(u"command-report.json"_s)});

        EXPECT_EQ(onScreen.exitCode, walk.exitCode) << onScreen.err.toStdString();
        EXPECT_EQ(headless.exitCode, walk.exitCode) << headless.err.toStdString();
        const QJsonObject report = test::jsonObject(test::readFile(path(u"screen-report.json"_s)));
        EXPECT_EQ(report, test::jsonObject(test::readFile(path(u"command-report.json"_s))));
        EXPECT_EQ(onScreen.out, headless.out);
        if (walk.exitCode == 0) {
            EXPECT_EQ(report.value(u"steps"_s), QJsonValue(QJsonArray{u"hello"_s, u"bye"_s}));
            EXPECT_EQ(onScreen.events(u"step"_s).size(), 2);
        }
    }
}

TEST_F(PathloomAppTest, TheAutopilotAnswersEveryFormatAsTheCommandDoes) {
    const QString formats = QString::fromUtf8(PATHLOOM_EXAMPLES) + u"/answer-formats/app.json"_s;
    const QString answers =
        QString::fromUtf8(PATHLOOM_EXAMPLES) + u"/answer-formats/answers.json"_s;
    QJsonObject sheet = test::jsonObject(test::readFile(answers));
    QJsonObject outOfRange = sheet;
    outOfRange.insert(u"people"_s, 40);
    QJsonObject missing = sheet;
    missing.remove(u"colour"_s);
    const QString outOfRangeSheet = document(u"out-of-range.json"_s, json::write(outOfRange));
    const QString missingSheet = document(u"missing.json"_s, json::write(missing));

    const struct {
        QString sheet;
        int exitCode;
        QString lastLine;
    } cases[] = {
        {answers, 0, {}},
        {outOfRangeSheet, 1, u"Enter a number from 1 to 12."_s},
        {missingSheet, 1, u"The step 'colour' needs an answer."_s},
    };
    for (const auto& walk : cases) {
        SCOPED_TRACE(walk.sheet.toStdString());
        const AppRun onScreen = app(
            {formats, u"--autopilot"_s, walk.sheet, u"--workflow"_s, u"formats"_s, u"--report"_s,
             path(u"screen-report.json"_s), u"--screenshot-dir"_s, path(u"shots"_s)},
            60);
        EXPECT_EQ(onScreen.exitCode, walk.exitCode) << onScreen.err.toStdString();
        const QJsonObject report = test::jsonObject(test::readFile(path(u"screen-report.json"_s)));
        if (walk.exitCode == 0) {
            const AppRun headless =
                command({formats, u"--workflow"_s, u"formats"_s, u"--answers"_s, walk.sheet,
                         u"--report"_s, path(u"command-report.json"_s)});
            EXPECT_EQ(headless.exitCode, 0) << headless.err.toStdString();
            EXPECT_EQ(report, test::jsonObject(test::readFile(path(u"command-report.json"_s))));
            EXPECT_GE(QDir(path(u"shots"_s)).entryList({u"*-step-*.png"_s}).size(),
                      report.value(u"steps"_s).toArray().size());
            continue;
        }
        EXPECT_EQ(report.value(u"error"_s), QJsonValue(walk.lastLine));
        EXPECT_EQ(onScreen.err.trimmed().split(u'\n').last(), walk.lastLine);
    }
}

TEST_F(PathloomAppTest, ALaunchAddressKeepsItsCredentialsOutOfTheJournal) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString url =
        u"http://127.0.0.1:%1/app.json?authorization=s3cret-value"_s.arg(closed.serverPort());
    closed.close();

    const AppRun run = app({url});

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_FALSE(run.events(u"load"_s).isEmpty());
    EXPECT_FALSE(test::readFile(path(u"journal.jsonl"_s)).contains("s3cret"));
    EXPECT_FALSE(run.err.contains(u"s3cret"_s));
    EXPECT_FALSE(run.out.contains(u"s3cret"_s));
}

TEST_F(PathloomAppTest, RefusesBadOptionsWithItsUsage) {
    for (const QStringList& arguments :
         {QStringList{u"--no-such-option"_s}, QStringList{u"--server-id"_s, u"one"_s},
          QStringList{u"--workflow"_s, u"1"_s},
          QStringList{u"--autopilot"_s, u"no-such-answers.json"_s, u"--workflow"_s, u"1"_s}}) {
        QProcess process;
        process.start(QString::fromUtf8(PATHLOOM_APP), arguments);
        ASSERT_TRUE(process.waitForFinished(30'000));
        EXPECT_EQ(process.exitCode(), 2);
        EXPECT_TRUE(process.readAllStandardError().contains("Usage:"));
    }
}

}  // namespace
}  // namespace pathloom
