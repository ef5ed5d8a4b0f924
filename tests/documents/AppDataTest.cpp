#include "documents/AppData.h"

#include "FakeImageLoader.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "foundation/Json.h"
#include "foundation/SystemColor.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using test::jsonObject;

std::expected<AppData, ParseError> parseApp(
    const QByteArray& document, std::optional<qint64> serverId = std::nullopt,
    std::optional<qint64> initialWorkflowId = std::nullopt) {
    test::FakeImageLoader images;
    return AppData::fromJson(jsonObject(document), serverId, initialWorkflowId, images);
}

// A valid list-style app around the given workflows.
QByteArray appWith(const QByteArray& workflows, const QByteArray& extraKeys = {}) {
    return R"({"id":1,"name":"App","servers":[],"navigationStyle":"list",)" + extraKeys +
           R"("workflows":)" + workflows + "}";
}

struct ErrorCase {
    const char* name;
    QByteArray document;
    std::optional<qint64> serverId;
    const char* expected;
};

void PrintTo(const ErrorCase& errorCase, std::ostream* os) { *os << errorCase.name; }

class AppDocumentErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(AppDocumentErrorTest, RefusesTheDocumentWithTheFirstErrorInReadingOrder) {
    const auto app = parseApp(GetParam().document, GetParam().serverId);
    ASSERT_FALSE(app) << "parsed although invalid";
    EXPECT_EQ(app.error().description(), QString::fromUtf8(GetParam().expected));
}

const QByteArray kBrokenWorkflow = R"([{"identifier":"w","steps":[]}])";

INSTANTIATE_TEST_SUITE_P(
    Documents, AppDocumentErrorTest,
    testing::Values(
        // The app itself, read in the order id, name, servers, workflows, navigationStyle.
        ErrorCase{"NoIdAndNoName", "{}", {}, "Invalid workflow data: No id element"},
        ErrorCase{
            "IdAsText", R"({"id":"1","name":"A"})", {}, "Invalid workflow data: No id element"},
        ErrorCase{"IdWithFraction",
                  R"({"id":1.5,"name":"A"})",
                  {},
                  "Invalid workflow data: No id element"},
        ErrorCase{"NoName", R"({"id":1})", {}, "Invalid name data: No name element"},
        ErrorCase{"NameAsNumber", R"({"id":1,"name":7})", {}, "Invalid name data: No name element"},
        ErrorCase{"NoServers",
                  R"({"id":1,"name":"A","workflows":[],"navigationStyle":"list"})",
                  {},
                  "Invalid workflow data: No server element"},
        ErrorCase{"ServerThatIsNoObject",
                  R"({"id":1,"name":"A","servers":[1],"workflows":[],"navigationStyle":"list"})",
                  {},
                  "Invalid workflow data: No server element"},
        ErrorCase{"NoWorkflows",
                  R"({"id":1,"name":"A","servers":[],"navigationStyle":"list"})",
                  {},
                  "Invalid task data: No task element"},
        ErrorCase{"WorkflowsAsObject",
                  R"({"id":1,"name":"A","servers":[],"workflows":{},"navigationStyle":"list"})",
                  {},
                  "Invalid task data: No task element"},
        ErrorCase{"NoStyleIsReportedBeforeABrokenWorkflow",
                  R"({"id":1,"name":"A","servers":[],"workflows":)" + kBrokenWorkflow + "}",
                  {},
                  "Invalid navigation style data: No navigationStyle value"},
        ErrorCase{"StyleAsNumber",
                  R"({"id":1,"name":"A","servers":[],"workflows":[],"navigationStyle":1})",
                  {},
                  "Invalid navigation style data: No navigationStyle value"},

        // Servers are only examined when a server id is asked for.
        ErrorCase{"ServerWithoutUrl",
                  appWith("[]").replace(R"("servers":[])", R"("servers":[{"id":1}])"), 1,
                  "Invalid workflow data: Invalid server"},
        ErrorCase{
            "BrokenServerThatIsNotAskedFor",
            appWith("[]").replace(R"("servers":[])",
                                  R"("servers":[{"id":1,"url":"https://a.example"},{"url":"x"}])"),
            1, "Invalid workflow data: Invalid server"},
        ErrorCase{
            "ServerUrlThatDoesNotParse",
            appWith("[]").replace(R"("servers":[])", R"("servers":[{"id":1,"url":"http://a b"}])"),
            2, "Invalid workflow data: Invalid server url: http://a b"},

        // Workflows, steps and navigation rules.
        ErrorCase{"WorkflowWithoutId",
                  appWith(kBrokenWorkflow),
                  {},
                  "Invalid task data: Missing workflow id"},
        ErrorCase{"WorkflowWithoutIdentifierNorSteps",
                  appWith(R"([{"id":1}])"),
                  {},
                  "Invalid task data: Missing workflow identifier"},
        ErrorCase{"WorkflowWithoutSteps",
                  appWith(R"([{"id":1,"identifier":"w"}])"),
                  {},
                  "Invalid task data: Missing steps"},
        ErrorCase{
            "WorkflowWithAStepThatIsNoObject",
            appWith(R"([{"id":1,"identifier":"w","steps":[{"type":"t","identifier":"s"},"s2"]}])"),
            {},
            "Invalid task data: Missing steps"},
        ErrorCase{"StepWithoutType",
                  appWith(R"([{"id":1,"identifier":"w","steps":[{"identifier":"s"}]}])"),
                  {},
                  "Invalid step data: Missing step type."},
        ErrorCase{"StepWithoutIdentifier",
                  appWith(R"([{"id":1,"identifier":"w","steps":[{"type":"instruction"}]}])"),
                  {},
                  "Invalid step data: Missing identifier."},
        ErrorCase{
            "RuleWithoutFrom",
            appWith(R"([{"id":1,"identifier":"w","steps":[],"navigationRules":[{"rules":[]}]}])"),
            {},
            "Invalid navigation rule data: Missing 'from' stepIdentifier"},
        ErrorCase{
            "DestinationWithoutTo",
            appWith(R"([{"id":1,"identifier":"w","steps":[],)"
                    R"("navigationRules":[{"from":"a","rules":[{"to":"b"},{"value":"x"}]}]}])"),
            {},
            "Invalid navigation rule data: Missing 'to' stepIdentifier"},

        // The navigation style, read after the workflows.
        ErrorCase{"StyleInOtherLetterCase",
                  appWith("[]").replace(R"("list")", R"("Tab_Bar")"),
                  {},
                  "Invalid navigation style data: Unknown navigation style: Tab_Bar"},
        ErrorCase{"BrokenWorkflowIsReportedBeforeUnknownStyle",
                  appWith(kBrokenWorkflow).replace(R"("list")", R"("grid")"),
                  {},
                  "Invalid task data: Missing workflow id"},
        ErrorCase{
            "PrimaryWorkflowWithoutItsId",
            appWith("[]", R"("navigationWorkflow2Id":2,)")
                .replace(R"("list")", R"("primary_workflow")"),
            {},
            "Invalid navigation style data: No navigationWorkflow1Id value for primary workflow"},

        // Translation tables, read last.
        ErrorCase{"UnknownStyleIsReportedBeforeBrokenLocale",
                  appWith("[]", R"("locales":[{}],)").replace(R"("list")", R"("grid")"),
                  {},
                  "Invalid navigation style data: Unknown navigation style: grid"},
        ErrorCase{"LocaleWithoutLanguage",
                  appWith("[]", R"("locales":[{"translations":[]}],)"),
                  {},
                  "Invalid workflow data: No language id"},
        ErrorCase{"LocaleWithoutTranslations",
                  appWith("[]", R"("locales":[{"language_id":"fr"}],)"),
                  {},
                  "Invalid workflow data: No translations provided"},
        ErrorCase{
            "TranslationWithoutId",
            appWith("[]", R"("locales":[{"language_id":"fr","translations":[{"from":"a"}]}],)"),
            {},
            "Invalid workflow data: No translation Id"},
        ErrorCase{
            "TranslationWithoutFrom",
            appWith("[]",
                    R"("locales":[{"language_id":"fr","translations":[{"id":1,"to":"b"}]}],)"),
            {},
            "Invalid workflow data: No base language string"},
        ErrorCase{
            "TranslationWithoutTo",
            appWith("[]",
                    R"("locales":[{"language_id":"fr","translations":[{"id":1,"from":"a"}]}],)"),
            {},
            "Invalid workflow data: No translated string"},
        ErrorCase{"TranslationWithoutLocaleId",
                  appWith("[]", R"("locales":[{"language_id":"fr","translations":)"
                                R"([{"id":1,"from":"a","to":"b","locale_id":"1"}]}],)"),
                  {},
                  "Invalid workflow data: No translation locale Id"}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

TEST(AppDocument, ReadsAMinimalListApp) {
    const auto app = parseApp(appWith("[]"));

    ASSERT_TRUE(app);
    EXPECT_EQ(app->id, 1);
    EXPECT_EQ(app->name, QStringLiteral("App"));
    EXPECT_EQ(app->navigationStyle, AppNavigationStyle::list);
    EXPECT_TRUE(app->tasks.isEmpty());
    EXPECT_EQ(app->tabIds, std::nullopt);
    EXPECT_EQ(app->primaryWorkflowId, std::nullopt);
    EXPECT_EQ(app->activeServer, std::nullopt);
    EXPECT_FALSE(app->shouldGatherAnalytics);
    EXPECT_EQ(app->analyticsURL, std::nullopt);
    EXPECT_EQ(app->translationLocales, std::nullopt);
}

TEST(AppDocument, SelectsTheFirstServerWithTheAskedId) {
    const QByteArray document = appWith("[]").replace(
        R"("servers":[])",
        R"("servers":[{"id":1,"url":"https://one.example"},{"id":2,"url":"https://two.example/api"},)"
        R"({"id":2,"url":"https://second-two.example"}])");

    EXPECT_EQ(parseApp(document, 2)->activeServer,
              (Server{2, QUrl(QStringLiteral("https://two.example/api"))}));
    EXPECT_EQ(parseApp(document, 9)->activeServer, std::nullopt) << "no server matches: no error";
    EXPECT_EQ(parseApp(document)->activeServer, std::nullopt);
}

TEST(AppDocument, IgnoresServersWhenNoServerIsAskedFor) {
    const auto app = parseApp(appWith("[]").replace(R"("servers":[])", R"("servers":[{"id":1}])"));
    ASSERT_TRUE(app);
    EXPECT_EQ(app->activeServer, std::nullopt);
}

TEST(AppDocument, ReadsTabsFromTheFiveTabKeysInOrder) {
    const QByteArray tabs =
        appWith("[]", R"("navigationWorkflow5Id":50,"navigationWorkflow1Id":10,)"
                      R"("navigationWorkflow3Id":30,"navigationWorkflow2Id":"20",)"
                      R"("navigationWorkflow6Id":60,)")
            .replace(R"("list")", R"("tab_bar")");
    const auto app = parseApp(tabs);

    ASSERT_TRUE(app);
    EXPECT_EQ(app->navigationStyle, AppNavigationStyle::tabBar);
    EXPECT_EQ(app->tabIds, (QList<qint64>{10, 30, 50}));
    EXPECT_EQ(app->primaryWorkflowId, std::nullopt);

    const auto noTabs = parseApp(appWith("[]").replace(R"("list")", R"("tab_bar")"));
    EXPECT_EQ(noTabs->tabIds, QList<qint64>{}) << "an empty tab list, not an absent one";
}

TEST(AppDocument, ReadsThePrimaryWorkflowWithoutTabs) {
    const auto app =
        parseApp(appWith("[]", R"("navigationWorkflow1Id":4,"navigationWorkflow2Id":5,)")
                     .replace(R"("list")", R"("primary_workflow")"));

    ASSERT_TRUE(app);
    EXPECT_EQ(app->navigationStyle, AppNavigationStyle::primaryWorkflow);
    EXPECT_EQ(app->primaryWorkflowId, 4);
    EXPECT_EQ(app->tabIds, std::nullopt);
}

TEST(AppDocument, KeepsTheCallersInitialWorkflow) {
    EXPECT_EQ(
        parseApp(appWith("[]", R"("initialWorkflowId":3,)"), std::nullopt, 7)->initialWorkflowId,
        7);
    EXPECT_EQ(parseApp(appWith("[]", R"("initialWorkflowId":3,)"))->initialWorkflowId,
              std::nullopt);
}

TEST(AppDocument, DropsOptionalValuesOfTheWrongTypeSilently) {
    const auto app = parseApp(appWith(
        "[]", R"("appleSystemTintColor":1,"appleHexTintColor":["#fff"],"gatherAnalytics":"yes",)"
              R"("analyticsURL":"https://stats example","locales":{"language_id":"fr"},)"));

    ASSERT_TRUE(app);
    EXPECT_EQ(app->appleSystemTintColor, std::nullopt);
    EXPECT_EQ(app->appleHexTintColor, std::nullopt);
    EXPECT_FALSE(app->shouldGatherAnalytics);
    EXPECT_EQ(app->analyticsURL, std::nullopt);
    EXPECT_EQ(app->translationLocales, std::nullopt);
}

TEST(AppDocument, ReadsTintAnalyticsAndLocales) {
    const auto app = parseApp(appWith(
        "[]",
        R"("appleSystemTintColor":"GREEN","appleHexTintColor":"#00FF00","gatherAnalytics":true,)"
        R"("analyticsURL":"https://stats.example/ahoy",)"
        R"("locales":[{"language_id":"fr","translations":[{"id":1,"from":"Hello","to":"Bonjour","locale_id":2}]}],)"));

    ASSERT_TRUE(app);
    EXPECT_EQ(app->appleSystemTintColor, QStringLiteral("GREEN"));
    EXPECT_EQ(app->tintColor(), systemColor(SystemColor::green));
    EXPECT_TRUE(app->shouldGatherAnalytics);
    EXPECT_EQ(app->analyticsURL, QUrl(QStringLiteral("https://stats.example/ahoy")));
    ASSERT_TRUE(app->translationLocales);
    EXPECT_EQ(*app->translationLocales,
              (QList<TranslationLocale>{
                  {QStringLiteral("fr"),
                   {Translation{1, QStringLiteral("Hello"), QStringLiteral("Bonjour"), 2}}}}));
}

// Every optional field set, tabs, locales, rules with and without operand, step content of every
// JSON kind, and URLs whose fragments hold a '#', which their written form escapes.
const QByteArray kRichDocument = R"({
    "id": 42, "name": "Field Survey",
    "servers": [{"id": 1, "url": "https://api.example.com/v2"}, {"id": 2, "url": "http://127.0.0.1:8080/#a#b"}],
    "navigationStyle": "tab_bar", "navigationWorkflow1Id": 10, "navigationWorkflow2Id": 11,
    "appleSystemTintColor": "other", "appleHexTintColor": "#FF000080",
    "gatherAnalytics": true, "analyticsURL": "https://stats.example.com/ahoy##",
    "locales": [
        {"language_id": "fr", "translations": [{"id": 1, "from": "Start", "to": "Commencer", "locale_id": 3}]},
        {"language_id": "de", "translations": []}
    ],
    "workflows": [
        {"id": 10, "identifier": "intake", "name": "Intake", "sfSymbolName": "doc.text",
         "steps": [
            {"type": "instruction", "identifier": "welcome", "title": "Start", "imageURL": "https://img.example/w.png",
             "count": 3, "ratio": 0.25, "big": 9007199254740993, "flag": false, "nothing": null,
             "tags": ["a", 1, true, null, {"k": "v"}], "nested": {"deep": {"deeper": [1.5, -2]}},
             "unicode": "é ✓ 😀"},
            {"type": "network", "identifier": "post", "url": "{server.url}/intake/{welcome.answer}"}
         ],
         "navigationRules": [
            {"from": "welcome", "rules": [
                {"to": "post", "propertyKeyPath": "answer", "operand": "==", "value": "yes"},
                {"to": "welcome"}
            ]},
            {"from": "post"}
         ]},
        {"id": 11, "identifier": "empty", "steps": []}
    ]
})";

TEST(AppStoredForm, RoundTripsARichDocument) {
    const auto app = parseApp(kRichDocument, 2, 11);
    ASSERT_TRUE(app) << app.error().description().toStdString();
    ASSERT_EQ(app->tasks.size(), 2);
    ASSERT_TRUE(app->activeServer);

    const auto stored = json::parse(json::write(app->toStored()));
    ASSERT_TRUE(stored);
    const auto decoded = AppData::fromStored(stored->toObject());

    ASSERT_TRUE(decoded) << decoded.error().description().toStdString();
    EXPECT_EQ(*decoded, *app);
}

TEST(AppStoredForm, WritesTheStyleAsItsRawValueAndOmitsAbsentFields) {
    const auto app =
        parseApp(appWith("[]")
                     .replace(R"("list")", R"("primary_workflow")")
                     .replace(R"("servers")", R"("navigationWorkflow1Id":3,"servers")"));
    ASSERT_TRUE(app);

    const QJsonObject stored = app->toStored();

    EXPECT_EQ(stored.value(u"navigationStyle"), QJsonValue(2));
    EXPECT_EQ(stored.value(u"primaryWorkflowId"), QJsonValue(3));
    EXPECT_EQ(stored.value(u"shouldGatherAnalytics"), QJsonValue(false));
    for (const char* absent :
         {"activeServer", "initialWorkflowId", "tabIds", "appleSystemTintColor",
          "appleHexTintColor", "analyticsURL", "translationLocales"}) {
        EXPECT_FALSE(stored.contains(QString::fromLatin1(absent))) << absent;
    }
}

}  // namespace
}  // namespace pathloom
