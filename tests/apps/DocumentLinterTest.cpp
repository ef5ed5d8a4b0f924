#include "DocumentLinter.h"

#include "FakeImageLoader.h"
#include "InMemoryKeyStore.h"
#include "QtPrinting.h"
#include "foundation/JsonError.h"
#include "loading/AppConfigurationManager.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

// Marks, in a test document, where the one finding expected must point; removed before linting.
constexpr char16_t kMark = u'§';

QString workflow(const QString& steps, const QString& more = {}, int id = 1,
                 const QString& name = u"Rooms"_s) {
    return uR"({"id":%1,"identifier":"w%1","name":"%2",%3"steps":[%4]})"_s.arg(id).arg(name, more,
                                                                                       steps);
}

QString app(const QString& workflows, const QString& more = {}) {
    return uR"({"id":1,"name":"Lint","servers":[{"id":1,"url":"https://api.example.com"}],
"navigationStyle":"list",%1
"workflows":[%2]})"_s.arg(more, workflows);
}

const QString kSteps =
    uR"({"type":"instructions","identifier":"a"},
{"type":"instructions","identifier":"b"},
{"type":"instructions","identifier":"c"})"_s;
const QString kQuestion =
    uR"({"type":"question","identifier":"q","answerFormat":{"_class":"ORKBooleanAnswerFormat"}})"_s;

struct Case {
    const char* name;
    QString document;
    QString code;
    QString path;
    LintFinding::Severity severity = LintFinding::Severity::error;
    DocumentLinter::Options options = {};
};

std::ostream& operator<<(std::ostream& stream, const Case& c) { return stream << c.name; }

using Severity = LintFinding::Severity;

const std::vector<Case> kCases = {
    {"RuleDestinationNamingNoStep",
     app(workflow(kSteps, uR"("navigationRules":[{"from":"a","rules":[{"to":§"z"}]}],)"_s)),
     u"rule-destination-unknown"_s, u"workflows[0].navigationRules[0].rules[0].to"_s},
    {"RuleTriggerNamingNoStep",
     app(workflow(kSteps, uR"("navigationRules":[{"from":§"z","rules":[{"to":"c"}]}],)"_s)),
     u"rule-trigger-unknown"_s, u"workflows[0].navigationRules[0].from"_s, Severity::warning},
    {"TwoRulesForOneTrigger",
     app(workflow(kSteps,
                  uR"("navigationRules":[{"from":§"a","rules":[{"to":"b"}]},
{"from":"a","rules":[{"to":"b"}]}],)"_s)),
     u"rule-trigger-repeated"_s, u"workflows[0].navigationRules[0].from"_s, Severity::warning},
    {"StepNoPathReaches",
     app(workflow(uR"({"type":"instructions","identifier":"a"},
§{"type":"instructions","identifier":"b"},
{"type":"instructions","identifier":"c"})"_s,
                  uR"("navigationRules":[{"from":"a","rules":[{"to":"c"}]}],)"_s)),
     u"step-unreachable"_s, u"workflows[0].steps[1]"_s, Severity::warning},
    {"DuplicateStepIdentifier", app(workflow(uR"({"type":"instructions","identifier":"a"},
{"type":"instructions","identifier":§"a"})"_s)),
     u"step-identifier-repeated"_s, u"workflows[0].steps[1].identifier"_s},
    {"StepTypeNoFactoryBuilds", app(workflow(uR"({"type":"instructions","identifier":"a"},
{"type":§"questoin","identifier":"b"})"_s)),
     u"step-type-unknown"_s, u"workflows[0].steps[1].type"_s, Severity::warning},
    {"PlaceholderNamingNothing",
     app(workflow(uR"({"type":"network","identifier":"n","url":§"/rooms/{nobody.answer}"})"_s)),
     u"placeholder-source-unknown"_s, u"workflows[0].steps[0].url"_s, Severity::warning},
    {"PlaceholderNamingALaterStep",
     app(workflow(uR"({"type":"network","identifier":"n","url":§"/rooms/{q.answer}"},)"_s +
                  kQuestion)),
     u"placeholder-step-later"_s, u"workflows[0].steps[0].url"_s},
    // b stands before n, but every path through b leaves it for e.
    {"PlaceholderNamingAnEarlierStepARuleLeadsPast",
     app(workflow(kQuestion + u","_s + QString(kQuestion).replace(u"\"q\""_s, u"\"b\""_s) +
                      uR"(,{"type":"network","identifier":"n","url":§"/rooms/{b.answer}"},
{"type":"instructions","identifier":"e"})"_s,
                  uR"("navigationRules":[
{"from":"q","rules":[{"to":"n","propertyKeyPath":"q.answer","operand":"==","value":"true"}]},
{"from":"b","rules":[{"to":"e"}]}],)"_s)),
     u"placeholder-step-later"_s, u"workflows[0].steps[2].url"_s},
    {"PlaceholderPropertyAQuestionLacks",
     app(workflow(kQuestion +
                  uR"(,{"type":"network","identifier":"n","url":§"/rooms/{q.value}"})"_s)),
     u"placeholder-property-unknown"_s, u"workflows[0].steps[1].url"_s},
    {"PlaceholderOfAWholeListEntry",
     app(workflow(uR"({"type":"list","identifier":"l","items":[{"id":1,"text":"One"}]},
{"type":"networkDisplay","identifier":"d","url":§"/rooms/{l.selected}"})"_s)),
     u"placeholder-property-unknown"_s, u"workflows[0].steps[1].url"_s},
    {"RuleKeyPathOfAStepWithoutValues",
     app(workflow(uR"({"type":"instructions","identifier":"a"},)"_s + kQuestion,
                  uR"("navigationRules":[{"from":"q","rules":[
{"to":"a","propertyKeyPath":§"a.answer","operand":"==","value":"x"}]}],)"_s)),
     u"rule-keypath-property-unknown"_s,
     u"workflows[0].navigationRules[0].rules[0].propertyKeyPath"_s},
    {"TabNamingNoWorkflow",
     app(workflow(kSteps),
         uR"("navigationStyle":"tab_bar","navigationWorkflow1Id":1,"navigationWorkflow2Id":§7,)"_s),
     u"workflow-id-unknown"_s, u"navigationWorkflow2Id"_s},
    {"PrimaryNamingNoWorkflow",
     app(workflow(kSteps),
         uR"("navigationStyle":"primary_workflow","navigationWorkflow1Id":§9,)"_s),
     u"workflow-id-unknown"_s, u"navigationWorkflow1Id"_s},
    {"SecondaryWorkflowNamingNoWorkflow",
     app(workflow(uR"({"type":"list","identifier":"l","items":[{"id":1,"text":"One"}],
"workflows":[{"id":1},{"id":§5}]})"_s)),
     u"workflow-id-unknown"_s, u"workflows[0].steps[0].workflows[1].id"_s},
    {"ButtonNamingAWorkflowInOtherLetterCase",
     app(workflow(uR"({"type":"display","identifier":"d","items":[
{"type":"button","label":"Open","modalWorkflow":§"rooms"}]})"_s)),
     u"workflow-name-unknown"_s, u"workflows[0].steps[0].items[0].modalWorkflow"_s},
    {"TextWithoutTranslation",
     app(workflow(uR"({"type":"instructions","identifier":"a","title":"Hello","text":§"World"})"_s),
         uR"("locales":[{"language_id":"fr","translations":[
{"id":1,"from":"Hello","to":"Bonjour","locale_id":1}]}],)"_s),
     u"translation-missing"_s, u"workflows[0].steps[0].text"_s, Severity::warning},
    {"TranslationOfNoText",
     app(workflow(uR"({"type":"instructions","identifier":"a","title":"Hello"})"_s),
         uR"("locales":[{"language_id":"fr","translations":[
{"id":1,"from":"Hello","to":"Bonjour","locale_id":1},
{"id":2,"from":§"Goodbye","to":"Au revoir","locale_id":1}]}],)"_s),
     u"translation-unused"_s, u"locales[0].translations[1].from"_s, Severity::warning},
    {"LanguageWithoutTable",
     app(workflow(kSteps), uR"("locales":§[],)"_s),
     u"translation-table-missing"_s,
     u"locales"_s,
     Severity::warning,
     {.languages = QStringList{u"de-DE"_s}}},
    {"SymbolTheScreensCannotDraw", app(workflow(kSteps, uR"("sfSymbolName":§"no.such.symbol",)"_s)),
     u"symbol-unknown"_s, u"workflows[0].sfSymbolName"_s, Severity::warning},
    {"SystemColourWithoutName", app(workflow(kSteps), uR"("appleSystemTintColor":§"magenta",)"_s),
     u"colour-unknown"_s, u"appleSystemTintColor"_s, Severity::warning},
    {"HexColourThatDoesNotParse",
     app(workflow(kSteps), uR"("appleSystemTintColor":"other","appleHexTintColor":§"#12",)"_s),
     u"colour-invalid"_s, u"appleHexTintColor"_s, Severity::warning},
    {"ServerIdOfNoServer",
     uR"({"id":1,"name":"Lint","servers":§[{"id":1,"url":"https://api.example.com"}],
"navigationStyle":"list","workflows":[%1]})"_s.arg(workflow(kSteps)),
     u"server-unknown"_s,
     u"servers"_s,
     Severity::error,
     {.serverId = 3}},
    {"RepeatedWorkflowId",
     app(workflow(kSteps) + u","_s +
         workflow(kSteps, {}, 1, u"Other"_s).replace(u"\"id\":1,"_s, u"\"id\":§1,"_s)),
     u"workflow-id-repeated"_s, u"workflows[1].id"_s, Severity::warning},
};

class DocumentLinterTest : public testing::TestWithParam<Case> {
protected:
    void SetUp() override { ASSERT_TRUE(directory.isValid()); }

    std::expected<QList<LintFinding>, Error> lint(const QString& document,
                                                  const DocumentLinter::Options& options = {}) {
        AppConfigurationManager manager(AppConfigurationManager::Sources{
            .imageLoader = std::make_shared<test::FakeImageLoader>(),
            .keyStore = std::make_shared<test::InMemoryKeyStore>(),
            .documentsDirectory = directory.filePath(u"documents"_s),
            .cachesDirectory = directory.filePath(u"caches"_s),
        });
        return DocumentLinter(manager).lint(document.toUtf8(), options);
    }

    QTemporaryDir directory;
};

TEST_P(DocumentLinterTest, GivesExactlyItsFindingWhereTheMarkIs) {
    const Case& c = GetParam();
    const qsizetype mark = c.document.indexOf(kMark);
    ASSERT_GE(mark, 0);
    QString document = c.document;
    document.remove(mark, 1);
    const LintFinding::Position expected{document.left(mark).count(u'\n') + 1,
                                         mark - document.lastIndexOf(u'\n', mark - 1)};

    const auto findings = lint(document, c.options);

    ASSERT_TRUE(findings) << findings.error().localizedDescription().toStdString();
    ASSERT_EQ(findings->size(), 1) << findings->value(1).code.toStdString();
    const LintFinding& finding = findings->first();
    EXPECT_EQ(finding.code, c.code);
    EXPECT_EQ(finding.severity, c.severity);
    EXPECT_EQ(finding.path.text(), c.path);
    ASSERT_TRUE(finding.position);
    EXPECT_EQ(finding.position->line, expected.line);
    EXPECT_EQ(finding.position->column, expected.column);
    EXPECT_FALSE(finding.message.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(OneFindingEach, DocumentLinterTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class DocumentLinterInputTest : public DocumentLinterTest {};

TEST_F(DocumentLinterInputTest, ACleanDocumentHasNoFinding) {
    const auto findings =
        lint(app(workflow(kQuestion + uR"(,{"type":"list","identifier":"l","title":"Pick",
"items":[{"id":1,"text":"One","sfSymbolName":"star"}],"workflows":[{"id":2}]},
{"type":"network","identifier":"n","url":"/rooms/{l.selected.id}/{q.answer}"},
{"type":"display","identifier":"d","items":[{"type":"button","label":"Open","modalWorkflow":"Other"}]})"_s,
                          uR"("sfSymbolName":"star","navigationRules":[{"from":"q","rules":[
{"to":"n","propertyKeyPath":"q.answer","operand":"==","value":"true"}]}],)"_s) +
                     u","_s + workflow(kSteps, {}, 2, u"Other"_s),
                 uR"("locales":[{"language_id":"fr","translations":[
{"id":1,"from":"Pick","to":"Choisir","locale_id":1},{"id":2,"from":"One","to":"Un","locale_id":1},
{"id":3,"from":"Open","to":"Ouvrir","locale_id":1}]}],)"_s));

    ASSERT_TRUE(findings) << findings.error().localizedDescription().toStdString();
    EXPECT_TRUE(findings->isEmpty()) << findings->first().message.toStdString();
}

TEST_F(DocumentLinterInputTest, SortsFindingsByPosition) {
    const auto findings = lint(app(workflow(
        uR"({"type":"instructions","identifier":"a"},{"type":"instructions","identifier":"a"})"_s,
        uR"("sfSymbolName":"nope",)"_s)));

    ASSERT_TRUE(findings);
    ASSERT_EQ(findings->size(), 2);
    EXPECT_EQ(findings->at(0).code, u"symbol-unknown"_s);
    EXPECT_EQ(findings->at(1).code, u"step-identifier-repeated"_s);
    EXPECT_LT(*findings->at(0).position, *findings->at(1).position);
}

TEST_F(DocumentLinterInputTest, AnInitialWorkflowOfNoWorkflowIsFoundWithoutAPlace) {
    const auto findings = lint(app(workflow(kSteps)), {.initialWorkflowId = 4});

    ASSERT_TRUE(findings);
    ASSERT_EQ(findings->size(), 1);
    EXPECT_EQ(findings->first().code, u"workflow-id-unknown"_s);
    EXPECT_TRUE(findings->first().path.isRoot());
    EXPECT_FALSE(findings->first().position);
}

TEST_F(DocumentLinterInputTest, ASessionValueGivenAtLoadMayBeNamed) {
    const QString document =
        app(workflow(uR"({"type":"network","identifier":"n","url":"/rooms/{site.id}"})"_s));

    EXPECT_EQ(lint(document)->size(), 1);
    EXPECT_TRUE(lint(document, {.sessionNames = {u"site"_s}})->isEmpty());
}

TEST_F(DocumentLinterInputTest, ADocumentThatCannotLoadGivesTheLoadError) {
    const auto notJson = lint(u"{\"id\": 1,\n  \"name\": }"_s);
    ASSERT_FALSE(notJson);
    ASSERT_TRUE(notJson.error().as<JsonError>());
    EXPECT_EQ(notJson.error().as<JsonError>()->offset, 21);

    const auto badStep = lint(app(workflow(uR"({"type":"network","identifier":"n"})"_s)));
    ASSERT_FALSE(badStep);
    EXPECT_EQ(badStep.error().localizedDescription(),
              u"Invalid step data: Failed to parse step 'n' in workflow 'w1':\n"
              u"Invalid step data: Invalid NetworkStep url for n.."_s);
}

}  // namespace
}  // namespace pathloom
