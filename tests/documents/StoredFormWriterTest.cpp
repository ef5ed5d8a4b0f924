#include "documents/StoredFormWriter.h"

#include "documents/AppData.h"

#include "FakeImageLoader.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "foundation/Json.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

// Texts that every escape and every UTF-8 length of the writer goes through.
const QString kAwkward =
    u"quote \" backslash \\ slash / tab \t line \n return \r feed \f "
    u"back \b nul-ish \x01 \x1f del \x7f café € 中文 𝄞 end"_s;

QString withLoneSurrogates() {
    QString text = u"high "_s;
    text += QChar(0xD834);
    text += u" low "_s;
    text += QChar(0xDD1E);
    text += u" high at end "_s;
    text += QChar(0xD834);
    return text;
}

AppData everyField() {
    AppData app;
    app.id = -9'007'199'254'740'993;
    app.name = kAwkward;
    app.activeServer = Server{42, QUrl(u"https://api.example.com/v2/ä?q=a b&x=ü#frag"_s)};
    app.navigationStyle = AppNavigationStyle::primaryWorkflow;
    app.primaryWorkflowId = 3;
    app.initialWorkflowId = 9'223'372'036'854'775'807;
    app.tabIds = QList<qint64>{1, -2, 0};
    app.appleSystemTintColor = u"other"_s;
    app.appleHexTintColor = u"#1565C0"_s;
    app.shouldGatherAnalytics = true;
    app.analyticsURL = QUrl(u"https://stats.example.com/ahoy?site=é"_s);
    app.translationLocales = QList<TranslationLocale>{
        {u"fr"_s, {{1, u"Welcome"_s, u"Bienvenue « ici »"_s, 2}, {2, kAwkward, kAwkward, 2}}},
        {u"de"_s, {}},
    };

    WorkflowData first{3, u"w-1"_s, kAwkward, u"map"_s, {}, {}};
    first.steps.append(StepData{u"question"_s, u"q\"1"_s, std::nullopt,
                                u"https://img.example.com/a b.png"_s,
                                test::jsonObject(R"({"type":"question","identifier":"q\"1",
                                    "answerFormat":{"_class":"ORKTextChoiceAnswerFormat",
                                    "textChoices":[{"text":"Oui ✓","value":1.5}]},"n":null})")});
    first.steps.append(
        StepData{u"instructions"_s, withLoneSurrogates(), std::nullopt, std::nullopt, {}});
    first.navigationRules.append(NavigationRule{
        u"q\"1"_s,
        {NavigationDestinationRule{u"s2"_s, u"q\"1.answer"_s, NavigationRuleOperand::isEqual,
                                   u"true"_s},
         NavigationDestinationRule{u"s3"_s, std::nullopt, std::nullopt, std::nullopt},
         NavigationDestinationRule{u"s4"_s, std::nullopt, std::nullopt, withLoneSurrogates()}}});
    app.tasks.append(first);
    app.tasks.append(WorkflowData{4, u"empty"_s, std::nullopt, std::nullopt, {}, {}});
    return app;
}

AppData nothingOptional() {
    AppData app;
    app.name = u""_s;
    return app;
}

// A document as a server sends it, decoded as a load decodes it.
AppData decodedDocument() {
    test::FakeImageLoader images;
    const auto app = AppData::fromJson(test::jsonObject(R"({
        "id": 7, "name": "Site Inspection", "servers": [{"id": 1, "url": "https://x.example"}],
        "navigationStyle": "tab_bar", "navigationWorkflow1Id": 1, "navigationWorkflow3Id": 2,
        "gatherAnalytics": true, "analyticsURL": "https://stats.example/ahoy",
        "locales": [{"language_id": "fr", "translations": [
            {"id": 1, "from": "Welcome", "to": "Bienvenue", "locale_id": 1}]}],
        "workflows": [{"id": 1, "identifier": "inspection", "name": "Inspection", "steps": [
            {"type": "instructions", "identifier": "welcome", "title": "Welcome"},
            {"type": "network", "identifier": "send", "url": "/inspections/{who.answer}"}],
          "navigationRules": [{"from": "welcome", "rules": [
            {"to": "send", "propertyKeyPath": "who.answer", "operand": "==", "value": "x"}]}]}]
    })"),
                                       1, 2, images);
    EXPECT_TRUE(app.has_value());
    return app.value_or(AppData{});
}

struct WriterCase {
    const char* name;
    std::function<AppData()> app;
};

void PrintTo(const WriterCase& writerCase, std::ostream* os) { *os << writerCase.name; }

class StoredFormWriterTest : public testing::TestWithParam<WriterCase> {};

TEST_P(StoredFormWriterTest, WritesTheBytesQtWritesOfTheStoredFormAndTheyReadBack) {
    const AppData app = GetParam().app();
    const QByteArray written = StoredFormWriter::write(app);

    EXPECT_EQ(written, json::write(app.toStored()));
    const auto parsed = json::parse(written);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->toObject(), app.toStored());
    const auto decoded = AppData::fromStored(parsed->toObject());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(StoredFormWriter::write(*decoded), written);
}

INSTANTIATE_TEST_SUITE_P(Apps, StoredFormWriterTest,
                         testing::Values(WriterCase{"EveryField", everyField},
                                         WriterCase{"NothingOptional", nothingOptional},
                                         WriterCase{"DecodedDocument", decodedDocument}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pathloom
