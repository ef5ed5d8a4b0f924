#include "documents/AppData.h"

#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "foundation/Json.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;

QString base64Of(const QByteArray& bytes) { return QString::fromLatin1(bytes.toBase64()); }

QJsonObject storedStep(const QString& content) {
    return {{u"type"_s, u"instruction"_s}, {u"identifier"_s, u"s1"_s}, {u"content"_s, content}};
}

QJsonObject storedApp() {
    AppData app;
    app.id = 7;
    app.name = u"App"_s;
    app.tabIds = QList<qint64>{1, 2};
    WorkflowData workflow{3, u"w"_s, std::nullopt, std::nullopt, {}, {}};
    workflow.steps.append(StepData{u"instruction"_s, u"s1"_s, std::nullopt, std::nullopt,
                                   jsonObject(R"({"type":"instruction","identifier":"s1"})")});
    app.tasks.append(workflow);
    return app.toStored();
}

class RequiredAppKeyTest : public testing::TestWithParam<const char*> {};

TEST_P(RequiredAppKeyTest, MissingRequiredKeyFailsTheDecoding) {
    QJsonObject stored = storedApp();
    ASSERT_TRUE(AppData::fromStored(stored));
    stored.remove(QString::fromLatin1(GetParam()));

    const auto decoded = AppData::fromStored(stored);

    ASSERT_FALSE(decoded);
    EXPECT_EQ(decoded.error().reason(), DecodingError::Reason::keyNotFound);
    EXPECT_EQ(decoded.error().path(), QString::fromLatin1(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Keys, RequiredAppKeyTest,
                         testing::Values("id", "name", "tasks", "navigationStyle",
                                         "shouldGatherAnalytics"));

TEST(StoredForm, RefusesStyleNumbersWithoutACase) {
    for (int style : {-1, 3}) {
        QJsonObject stored = storedApp();
        stored.insert(u"navigationStyle"_s, style);
        EXPECT_FALSE(AppData::fromStored(stored)) << style;
    }
    QJsonObject stored = storedApp();
    stored.insert(u"navigationStyle"_s, 1);
    EXPECT_EQ(AppData::fromStored(stored)->navigationStyle, AppNavigationStyle::tabBar);
}

TEST(StoredForm, NamesThePathOfANestedError) {
    QJsonObject stored = storedApp();
    stored.insert(
        u"tasks"_s,
        QJsonArray{QJsonObject{
            {u"id"_s, 3},
            {u"identifier"_s, u"w"_s},
            {u"steps"_s, QJsonArray{QJsonObject{{u"type"_s, u"t"_s}, {u"content"_s, u""_s}}}}}});

    const auto decoded = AppData::fromStored(stored);

    ASSERT_FALSE(decoded);
    EXPECT_EQ(decoded.error().path(), u"tasks[0].steps[0].identifier"_s);
    EXPECT_EQ(decoded.error().description(), u"No value for 'tasks[0].steps[0].identifier'."_s);
}

TEST(StoredForm, RefusesValuesOfTheWrongType) {
    QJsonObject stored = storedApp();
    stored.insert(u"tabIds"_s, QJsonArray{1, u"2"_s});
    EXPECT_EQ(AppData::fromStored(stored).error().reason(), DecodingError::Reason::typeMismatch);

    stored = storedApp();
    stored.insert(u"id"_s, 1.5);
    EXPECT_EQ(AppData::fromStored(stored).error().reason(), DecodingError::Reason::typeMismatch);

    stored = storedApp();
    stored.insert(u"appleHexTintColor"_s, 5);
    EXPECT_FALSE(AppData::fromStored(stored)) << "an optional value may be absent, not mistyped";
}

TEST(StoredForm, ReadsAbsentOptionalWorkflowFieldsAsNullOrMissing) {
    const QJsonObject stored = storedApp().value(u"tasks").toArray().first().toObject();
    EXPECT_EQ(stored.value(u"name"), QJsonValue(QJsonValue::Null));
    EXPECT_EQ(stored.value(u"sfSymbolName"), QJsonValue(QJsonValue::Null));

    QJsonObject withoutRules = stored;
    withoutRules.remove(u"navigationRules"_s);
    withoutRules.remove(u"name"_s);
    const auto workflow = WorkflowData::fromStored(withoutRules);

    ASSERT_TRUE(workflow);
    EXPECT_TRUE(workflow->navigationRules.isEmpty());
    EXPECT_EQ(workflow->name, std::nullopt);
}

TEST(StoredStep, KeepsContentAsBase64OfItsJson) {
    const QJsonObject content =
        jsonObject(R"({"type":"form","identifier":"f","items":[1,{"a":null}]})");
    const StepData step{u"form"_s, u"f"_s, std::nullopt, u"https://img.example/a.png"_s, content};

    const QJsonObject stored = step.toStored();

    const auto bytes = QByteArray::fromBase64Encoding(
        stored.value(u"content").toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(json::parse(bytes.decoded)->toObject(), content);
    EXPECT_EQ(StepData::fromStored(stored), step);
}

TEST(StoredStep, DropsTheImage) {
    const StepData step{u"t"_s, u"s"_s, QImage(2, 2, QImage::Format_RGB32), u"pic"_s, {}};
    const auto decoded = StepData::fromStored(step.toStored());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->image, std::nullopt);
    EXPECT_EQ(decoded->imageURL, u"pic"_s);
}

TEST(StoredStep, ReadsContentThatIsNoObjectAsEmpty) {
    for (const QByteArray& fragment :
         {QByteArray("5"), QByteArray(R"("text")"), QByteArray("[1]"), QByteArray("null")}) {
        const auto step = StepData::fromStored(storedStep(base64Of(fragment)));
        ASSERT_TRUE(step) << fragment.toStdString();
        EXPECT_TRUE(step->content.isEmpty());
    }
}

TEST(StoredStep, RefusesContentThatIsNotBase64OfJson) {
    const auto notBase64 = StepData::fromStored(storedStep(u"%%%"_s));
    ASSERT_FALSE(notBase64);
    EXPECT_EQ(notBase64.error().path(), u"content"_s);

    const auto notJson = StepData::fromStored(storedStep(base64Of("{\"a\":")));
    ASSERT_FALSE(notJson);
    EXPECT_EQ(notJson.error().reason(), DecodingError::Reason::dataCorrupted);
}

TEST(StoredRule, RefusesAnOperandOtherThanEquality) {
    const QJsonObject stored{{u"to"_s, u"b"_s},
                             {u"operand"_s, QJsonObject{{u"rawValue"_s, u"!="_s}}}};

    const auto rule = NavigationDestinationRule::fromStored(stored);

    ASSERT_FALSE(rule);
    EXPECT_TRUE(rule.error().description().contains(
        u"Invalid navigation rule data: Unsupported rule operand"_s));
}

TEST(StoredRule, WritesOperandAsAnObjectAndOmitsAbsentFields) {
    const NavigationDestinationRule withOperand{u"b"_s, u"answer"_s, NavigationRuleOperand::isEqual,
                                                u"yes"_s};
    EXPECT_EQ(
        withOperand.toStored(),
        jsonObject(
            R"({"to":"b","propertyKeyPath":"answer","operand":{"rawValue":"=="},"value":"yes"})"));
    EXPECT_EQ(NavigationDestinationRule::fromStored(withOperand.toStored()), withOperand);

    const NavigationDestinationRule bare{u"b"_s, std::nullopt, std::nullopt, std::nullopt};
    EXPECT_EQ(bare.toStored(), jsonObject(R"({"to":"b"})"));
    EXPECT_EQ(NavigationDestinationRule::fromStored(bare.toStored()), bare);
}

}  // namespace
}  // namespace pathloom
