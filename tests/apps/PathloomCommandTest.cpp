#include "CommandProcessTest.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
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

class PathloomCommandTest : public test::CommandProcessTest {};

const QByteArray kEveryKind =
    R"({"id":5,"name":"Kinds","servers":[{"id":1,"url":"https://api.example.com"}],
  "navigationStyle":"list","workflows":[{"id":1,"identifier":"all","name":"All","steps":[
    {"type":"instructions","identifier":"i","title":"Hello"},
    {"type":"question","identifier":"q","answerFormat":{"_class":"ORKBooleanAnswerFormat"}},
    {"type":"form","identifier":"f","formItems":[]},
    {"type":"videoInstructions","identifier":"v"},
    {"type":"signature","identifier":"s"},
    {"type":"videoCapture","identifier":"vc"},
    {"type":"network","identifier":"n","url":"/post"},
    {"type":"simulateNetwork","identifier":"sn","interval":2},
    {"type":"list","identifier":"l","items":[{"id":1,"text":"One"}],"workflows":[{"id":1}]},
    {"type":"networkList","identifier":"nl","url":"/list"},
    {"type":"display","identifier":"d","items":[{"type":"text","label":"L","text":"T"}]},
    {"type":"networkDisplay","identifier":"nd","url":"/page"},
    {"type":"email","identifier":"e","sendTo":"a@example.com"},
    {"type":"pdfViewer","identifier":"p","pdfURL":"/doc.pdf"},
    {"type":"documentCapture","identifier":"dc"},
    {"type":"imageCapture","identifier":"ic","optional":true},
    {"type":"completion","identifier":"c"}],
  "navigationRules":[{"from":"q","rules":[{"to":"c","propertyKeyPath":"q.answer","operand":"==","value":"true"}]}]}]})";

TEST_F(PathloomCommandTest, ValidatesAGoodDocumentAndReportsABadOne) {
    const CommandRun good = pathloom({u"validate"_s, document(u"good.json"_s, kEveryKind)});
    EXPECT_EQ(good.exitCode, 0) << good.err.toStdString();
    EXPECT_EQ(good.out, u"Valid: Kinds (app 5), 1 workflows\n"_s);

    const CommandRun bad = pathloom(
        {u"validate"_s,
         document(
             u"bad.json"_s,
             R"({"id":5,"name":"Kinds","servers":[],"navigationStyle":"list","workflows":[{"id":1,"identifier":"w","steps":[{"type":"network","identifier":"n"}]}]})")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.trimmed().endsWith(
        u"Invalid step data: Failed to parse step 'n' in workflow 'w':\nInvalid step data: Invalid NetworkStep url for n.."_s))
        << bad.err.toStdString();

    const CommandRun missing = pathloom({u"validate"_s, files.filePath(u"missing.json"_s)});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(missing.err.trimmed().isEmpty());

    EXPECT_EQ(pathloom({u"validate"_s}).exitCode, 2);
    EXPECT_EQ(pathloom({u"frobnicate"_s, u"x"_s}).exitCode, 2);
}

TEST_F(PathloomCommandTest, InspectsEveryStepKindAsJson) {
    const CommandRun run =
        pathloom({u"inspect"_s, document(u"kinds.json"_s, kEveryKind), u"--json"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject app = test::jsonObject(run.out.toUtf8());

    EXPECT_EQ(app.value(u"navigationStyle"), QJsonValue(u"list"_s));
    EXPECT_EQ(app.value(u"tintColor"), QJsonValue(u"#007AFFFF"_s));
    EXPECT_EQ(app.value(u"analyticsURL"), QJsonValue(QJsonValue::Null));
    const QJsonObject workflow = app.value(u"workflows").toArray().first().toObject();
    QStringList classes;
    for (const QJsonValue& step : workflow.value(u"steps").toArray()) {
        classes.append(step.toObject().value(u"class").toString());
    }
    EXPECT_EQ(classes, (QStringList{u"ORKInstructionStep"_s, u"ORKQuestionStep"_s, u"ORKFormStep"_s,
                                    u"ORKVideoInstructionStep"_s, u"ORKSignatureStep"_s,
                                    u"ORKVideoCaptureStep"_s, u"PathloomNetworkStep"_s,
                                    u"PathloomSimulateNetworkStep"_s, u"PathloomListStep"_s,
                                    u"PathloomNetworkListStep"_s, u"PathloomDisplayStep"_s,
                                    u"PathloomNetworkDisplayStep"_s, u"PathloomEmailStep"_s,
                                    u"PathloomPDFStep"_s, u"PathloomDocumentCaptureStep"_s,
                                    u"ORKImageCaptureStep"_s, u"ORKCompletionStep"_s}));
    const QJsonArray steps = workflow.value(u"steps").toArray();
    EXPECT_EQ(steps[6].toObject().value(u"encoded").toObject(),
              test::jsonObject(R"({"url":"/post"})"));
    EXPECT_EQ(steps[8].toObject().value(u"encoded").toObject(),
              test::jsonObject(R"({"items":[{"id":1,"text":"One"}],"secondaryWorkflowIDs":[1]})"));
    EXPECT_EQ(steps[15].toObject().value(u"encoded").toObject().value(u"optional"),
              QJsonValue(true));
    EXPECT_EQ(
        workflow.value(u"navigationRules"),
        QJsonValue(QJsonArray{test::jsonObject(
            R"({"trigger":"q","destinations":[{"to":"c","propertyKeyPath":"q.answer","operand":"==","value":"true"}]})")}));
}

// The task keeps every rule of the document, one per trigger (the later one wins), also one whose
// trigger names no step of the workflow; the report lists them in the order of their triggers.
TEST_F(PathloomCommandTest, InspectsEveryNavigationRuleTheTaskHolds) {
    const QByteArray rules =
        R"({"id":6,"name":"Rules","servers":[],"navigationStyle":"list","workflows":[
  {"id":1,"identifier":"w","steps":[{"type":"instructions","identifier":"a"},
    {"type":"instructions","identifier":"b"},{"type":"instructions","identifier":"c"}],
  "navigationRules":[{"from":"b","rules":[{"to":"a"}]},{"from":"gone","rules":[{"to":"c"}]},
    {"from":"a","rules":[{"to":"c"}]},{"from":"b","rules":[{"to":"c"}]}]}]})";
    const CommandRun run = pathloom({u"inspect"_s, document(u"rules.json"_s, rules), u"--json"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject workflow =
        test::jsonObject(run.out.toUtf8()).value(u"workflows").toArray().first().toObject();

    QStringList listed;
    for (const QJsonValue& rule : workflow.value(u"navigationRules").toArray()) {
        const QJsonObject object = rule.toObject();
        listed.append(
            object.value(u"trigger").toString() + u"->"_s +
            object.value(u"destinations").toArray().first().toObject().value(u"to").toString());
    }
    EXPECT_EQ(listed, (QStringList{u"b->c"_s, u"gone->c"_s, u"a->c"_s}));
}

TEST_F(PathloomCommandTest, InspectsTheCachedDocumentOfAnEarlierLoad) {
    ASSERT_EQ(pathloom({u"validate"_s, document(u"kinds.json"_s, kEveryKind)}).exitCode, 0);
    const CommandRun cached = pathloom({u"inspect"_s, u"cached"_s});
    EXPECT_EQ(cached.exitCode, 0) << cached.err.toStdString();
    EXPECT_TRUE(cached.out.startsWith(u"Kinds (app 5), list"_s)) << cached.out.toStdString();
}

TEST_F(PathloomCommandTest, InspectsHowTheAppWillBeShown) {
    const QByteArray workflows = R"("servers":[{"id":1,"url":"https://api.example.com"}],
        "workflows":[
        {"id":1,"identifier":"one","name":"One","steps":[{"type":"instructions","identifier":"a"}]},
        {"id":2,"identifier":"two","name":"Two","steps":[{"type":"instructions","identifier":"b"}]},
        {"id":3,"identifier":"three","name":"Three","steps":[{"type":"instructions","identifier":"c"}]}])";
    const QString tabs =
        document(u"tabs.json"_s, R"({"id":6,"name":"Tabs","navigationStyle":"tab_bar",
            "navigationWorkflow1Id":3,"navigationWorkflow2Id":99,"navigationWorkflow3Id":1,)" +
                                     workflows + '}');
    const QString primary =
        document(u"primary.json"_s,
                 R"({"id":7,"name":"Primary","navigationStyle":"primary_workflow",
            "navigationWorkflow1Id":42,)" +
                     workflows + '}');
    const struct {
        QStringList arguments;
        QString line;
    } cases[] = {
        {{u"inspect"_s, tabs}, uR"(Navigation: tabs 3 "Three", 1 "One")"_s},
        {{u"inspect"_s, tabs, u"--initial-workflow"_s, u"1"_s},
         uR"(Navigation: tabs 3 "Three", 1 "One" (selected: 1))"_s},
        {{u"inspect"_s, primary},
         u"Navigation: cannot be shown: The operation couldn’t be completed. "
         u"(PathloomCore.PathloomRootViewControllerError error 0.)"_s},
    };
    for (const auto& inspected : cases) {
        const CommandRun run = pathloom(inspected.arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.split(u'\n').contains(inspected.line)) << run.out.toStdString();
    }

    const CommandRun json =
        pathloom({u"inspect"_s, tabs, u"--initial-workflow"_s, u"1"_s, u"--json"_s});
    const QJsonObject navigation =
        test::jsonObject(json.out.toUtf8()).value(u"navigation"_s).toObject();
    EXPECT_EQ(navigation.value(u"style"_s), QJsonValue(u"tabBar"_s));
    EXPECT_EQ(navigation.value(u"selectedIndex"_s), QJsonValue(1));
}

}  // namespace
}  // namespace pathloom
