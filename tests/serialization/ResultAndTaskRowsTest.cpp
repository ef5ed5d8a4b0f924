#include "serialization/EncodingTable.h"
#include "serialization/ORKESerializer.h"

#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "taskmodel/ORKDirectStepNavigationRule.h"
#include "taskmodel/ORKDontKnowAnswer.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKLocation.h"
#include "taskmodel/ORKLocationQuestionResult.h"
#include "taskmodel/ORKNavigableOrderedTask.h"
#include "taskmodel/ORKPredicateStepNavigationRule.h"
#include "taskmodel/ORKQuestionResult.h"
#include "taskmodel/ORKStep.h"
#include "taskmodel/ORKStepResult.h"
#include "taskmodel/ORKTaskResult.h"

#include <gtest/gtest.h>

#include <QJsonArray>

namespace pathloom {

// Lets failure messages show answers.
void PrintTo(const Value& value, std::ostream* os) {
    if (const std::optional<QJsonValue> json = value.toJson()) {
        ::PrintTo(*json, os);
    } else {
        *os << "<value of kind " << value.storage().index() << '>';
    }
}

namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;

const QByteArray kDates =
    R"("startDate":"2021-03-04T05:06:07+0000","endDate":"2021-03-04T05:07:00+0000")";

Value::Object decode(const QJsonObject& json) {
    const auto decoded = ORKESerializer::objectFromJSONObject(json);
    EXPECT_TRUE(decoded) << decoded.error().failureReason().toStdString();
    return decoded ? *decoded : nullptr;
}

QJsonObject encode(const Value::Object& object) {
    return ORKESerializer::JSONObjectForObject(Value(object)).toObject();
}

QString classNameOf(const Value::Object& object) {
    const ObjectClass* objectClass = EncodingTable::shared().classOf(Value(object));
    return objectClass ? objectClass->name() : u"(null)"_s;
}

QString failureOf(const QJsonObject& json) {
    const auto decoded = ORKESerializer::objectFromJSONObject(json);
    return decoded ? u"(decoded)"_s : decoded.error().failureReason();
}

struct AnswerCase {
    const char* name;
    QByteArray className;
    // The JSON member that holds the answer.
    QByteArray answerMember;
    Value expected;
};

void PrintTo(const AnswerCase& answer, std::ostream* os) { *os << answer.name; }

class QuestionResultAnswer : public testing::TestWithParam<AnswerCase> {};

TEST_P(QuestionResultAnswer, DecodesAndEncodesBackTheSameJson) {
    const AnswerCase& answer = GetParam();
    const QJsonObject json =
        jsonObject(R"({"_class":")" + answer.className + R"(","identifier":"q1",)" + kDates + "," +
                   answer.answerMember + "}");

    const Value::Object decoded = decode(json);
    const auto result = std::dynamic_pointer_cast<ORKQuestionResult>(decoded);
    ASSERT_TRUE(result);
    EXPECT_EQ(classNameOf(decoded), QString::fromLatin1(answer.className));
    EXPECT_EQ(result->identifier, u"q1"_s);
    EXPECT_EQ(result->answer, answer.expected);
    EXPECT_EQ(encode(decoded), json);
}

const QDateTime kMarch4 = QDateTime(QDate(2021, 3, 4), QTime(5, 6, 7), Qt::UTC);

INSTANTIATE_TEST_SUITE_P(
    Kinds, QuestionResultAnswer,
    testing::Values(
        AnswerCase{"Text", "ORKTextQuestionResult", R"("answer":"yes")", Value(u"yes"_s)},
        AnswerCase{"Integer", "ORKScaleQuestionResult", R"("answer":3)", Value(3)},
        AnswerCase{"Fraction", "ORKNumericQuestionResult", R"("answer":2.5)", Value(2.5)},
        AnswerCase{"Boolean", "ORKBooleanQuestionResult", R"("answer":true)", Value(true)},
        AnswerCase{"Choices", "ORKChoiceQuestionResult", R"("answer":["red","blue"])",
                   Value(Value::Array{u"red"_s, u"blue"_s})},
        AnswerCase{"Map", "ORKQuestionResult", R"("answer":{"a":1})",
                   Value(Value::Dictionary{{u"a"_s, 1}})},
        AnswerCase{"Date", "ORKDateQuestionResult", R"("answer":"2021-03-04T05:06:07+0000")",
                   Value(kMarch4)},
        AnswerCase{"TimeOfDay", "ORKTimeOfDayQuestionResult", R"("answer":"08:30")",
                   Value(DateComponents{8, 30})},
        AnswerCase{"DontKnow", "ORKTextQuestionResult",
                   R"("noAnswer_answer":{"_class":"ORKDontKnowAnswer"})",
                   Value(Value::Object(ORKDontKnowAnswer::answer()))},
        AnswerCase{"DontKnowOnADateQuestion", "ORKDateQuestionResult",
                   R"("noAnswer_answer":{"_class":"ORKDontKnowAnswer"})",
                   Value(Value::Object(ORKDontKnowAnswer::answer()))}),
    [](const testing::TestParamInfo<AnswerCase>& info) { return info.param.name; });

TEST(ResultRows, EveryResultClassDecodesAsItselfAndCopiesAsItself) {
    const QString names[] = {
        u"ORKResult"_s,
        u"ORKFileResult"_s,
        u"ORKPasscodeResult"_s,
        u"ORKQuestionResult"_s,
        u"ORKScaleQuestionResult"_s,
        u"ORKChoiceQuestionResult"_s,
        u"ORKMultipleComponentQuestionResult"_s,
        u"ORKBooleanQuestionResult"_s,
        u"ORKTextQuestionResult"_s,
        u"ORKNumericQuestionResult"_s,
        u"ORKTimeOfDayQuestionResult"_s,
        u"ORKTimeIntervalQuestionResult"_s,
        u"ORKDateQuestionResult"_s,
        u"ORKLocationQuestionResult"_s,
        u"ORKSESQuestionResult"_s,
        u"ORKConsentSignatureResult"_s,
        u"ORKSignatureResult"_s,
        u"ORKCollectionResult"_s,
        u"ORKTaskResult"_s,
        u"ORKStepResult"_s,
        u"ORKPageResult"_s,
        u"ORKVideoInstructionStepResult"_s,
        u"ORKFrontFacingCameraStepResult"_s,
        u"ORKWebViewStepResult"_s,
    };
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QJsonObject json = jsonObject(R"({"identifier":"r1",)" + kDates + "}");
        json.insert(u"_class"_s, name);
        const auto result = std::dynamic_pointer_cast<ORKResult>(decode(json));
        ASSERT_TRUE(result);
        EXPECT_EQ(classNameOf(result), name);
        EXPECT_EQ(result->identifier, u"r1"_s);
        EXPECT_EQ(result->startDate, kMarch4);

        const std::shared_ptr<ORKResult> copy = result->copy();
        ASSERT_NE(copy, result);
        EXPECT_EQ(classNameOf(copy), name);
        EXPECT_EQ(copy->identifier, u"r1"_s);
        EXPECT_EQ(copy->startDate, kMarch4);
        EXPECT_EQ(encode(copy), encode(result));
    }
}

TEST(ResultRows, DatesAreInstantsWrittenInUtc) {
    const Value::Object decoded = decode(jsonObject(
        R"({"_class":"ORKResult","identifier":"r","startDate":"2021-03-04T06:06:07+0100"})"));
    const auto result = std::dynamic_pointer_cast<ORKResult>(decoded);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->startDate, kMarch4);
    EXPECT_EQ(encode(decoded).value(u"startDate"), QJsonValue(u"2021-03-04T05:06:07+0000"_s));
}

TEST(ResultRows, StepResultHoldsItsChildResults) {
    const QJsonObject json =
        jsonObject(R"({"_class":"ORKStepResult","identifier":"form",)" + kDates + R"(,"results":[
        {"_class":"ORKBooleanQuestionResult","identifier":"q1",)" +
                   kDates + R"(,"answer":false},
        {"_class":"ORKFileResult","identifier":"photo",)" +
                   kDates + R"(,"fileURL":"file:///tmp/photo.heic","contentType":"image/heif"}]})");

    const Value::Object decoded = decode(json);
    const auto step = std::dynamic_pointer_cast<ORKStepResult>(decoded);
    ASSERT_TRUE(step);
    ASSERT_EQ(step->results.size(), 2);
    const auto question = std::dynamic_pointer_cast<ORKQuestionResult>(step->results[0]);
    const auto file = std::dynamic_pointer_cast<ORKFileResult>(step->results[1]);
    ASSERT_TRUE(question && file);
    EXPECT_EQ(classNameOf(question), u"ORKBooleanQuestionResult"_s);
    EXPECT_EQ(question->answer, Value(false));
    EXPECT_EQ(file->identifier, u"photo"_s);
    EXPECT_EQ(file->fileURL, QUrl(u"file:///tmp/photo.heic"_s));
    EXPECT_EQ(file->contentType, u"image/heif"_s);
    EXPECT_EQ(encode(decoded), json);
}

TEST(ResultRows, ChildrenThatAreNoResultsFailTheDecode) {
    EXPECT_EQ(failureOf(jsonObject(R"({"_class":"ORKTaskResult","identifier":"t","results":[
            {"_class":"ORKStepResult","identifier":"s","results":[
                {"_class":"ORKInstructionStep","identifier":"i"}]}]})")),
              u"Could not convert 'results' to array of class ORKResult:\n"
              u"Could not convert 'results' to array of class ORKResult:\n"
              u"Expected subclass of ORKResult but got ORKInstructionStep"_s);
}

TEST(ResultRows, LocationAnswerIsALocationObject) {
    const QJsonObject json = jsonObject(
        R"({"_class":"ORKLocationQuestionResult","identifier":"where",)" + kDates +
        R"(,"answer":{"_class":"ORKLocation","coordinate":{"latitude":51.5,"longitude":-0.12},
            "region":{"coordinate":{"latitude":51.5,"longitude":-0.12},"radius":100,"identifier":"home"},
            "postalAddress":{"street":"1 High St","city":"London"}}})");

    const Value::Object decoded = decode(json);
    const auto result = std::dynamic_pointer_cast<ORKLocationQuestionResult>(decoded);
    ASSERT_TRUE(result);
    const auto location = result->answer.object<ORKLocation>();
    ASSERT_TRUE(location);
    EXPECT_EQ(location->coordinate, (Coordinate{51.5, -0.12}));
    EXPECT_EQ(location->region, (CircularRegion{{51.5, -0.12}, 100, u"home"_s}));
    EXPECT_EQ(location->postalAddress, (PostalAddress{u"1 High St"_s, u"London"_s}));
    EXPECT_EQ(encode(decoded), json);
}

TEST(ResultRows, LocationWithoutRegionOrAddressKeepsItsCoordinate) {
    const QJsonObject json = jsonObject(
        R"({"_class":"ORKLocation","coordinate":{"latitude":1.5,"longitude":2},
            "region":{"radius":100,"identifier":"incomplete"}})");

    const Value::Object decoded = decode(json);
    const auto location = std::dynamic_pointer_cast<ORKLocation>(decoded);
    ASSERT_TRUE(location);
    EXPECT_EQ(location->coordinate, (Coordinate{1.5, 2}));
    EXPECT_EQ(location->region, std::nullopt);
    EXPECT_EQ(location->postalAddress, std::nullopt);
    EXPECT_EQ(
        encode(decoded),
        jsonObject(R"({"_class":"ORKLocation","coordinate":{"latitude":1.5,"longitude":2}})"));
}

TEST(TaskRows, NavigableOrderedTaskDecodesItsStepsAndNavigatesThem) {
    const Value::Object decoded = decode(jsonObject(R"({"_class":"ORKNavigableOrderedTask",
        "identifier":"survey","steps":[
            {"_class":"ORKInstructionStep","identifier":"intro","title":"Hello"},
            {"_class":"ORKCompletionStep","identifier":"done"}]})"));
    const auto task = std::dynamic_pointer_cast<ORKNavigableOrderedTask>(decoded);
    ASSERT_TRUE(task);
    EXPECT_EQ(task->identifier, u"survey"_s);
    ASSERT_EQ(task->steps.size(), 2);
    EXPECT_EQ(classNameOf(task->steps[0]), u"ORKInstructionStep"_s);
    EXPECT_EQ(task->steps[0]->title, u"Hello"_s);
    EXPECT_EQ(classNameOf(task->steps[1]), u"ORKCompletionStep"_s);

    const ORKTaskResult noResults(u"survey"_s);
    EXPECT_EQ(task->stepAfterStep(nullptr, noResults), task->steps[0]);
    EXPECT_EQ(task->stepAfterStep(task->steps[0].get(), noResults), task->steps[1]);
    EXPECT_EQ(task->stepAfterStep(task->steps[1].get(), noResults), nullptr);

    const QJsonObject encoded = encode(decoded);
    EXPECT_EQ(encoded.value(u"_class"), QJsonValue(u"ORKNavigableOrderedTask"_s));
    EXPECT_EQ(encoded.value(u"identifier"), QJsonValue(u"survey"_s));
    const QJsonArray steps = encoded.value(u"steps").toArray();
    ASSERT_EQ(steps.size(), 2);
    EXPECT_EQ(steps[0].toObject().value(u"identifier"), QJsonValue(u"intro"_s));
    EXPECT_EQ(steps[0].toObject().value(u"title"), QJsonValue(u"Hello"_s));
    EXPECT_EQ(steps[1].toObject().value(u"_class"), QJsonValue(u"ORKCompletionStep"_s));

    // What is written reads back as the same task.
    EXPECT_EQ(encode(decode(encoded)), encoded);
}

TEST(TaskRows, OrderedTaskIsNotNavigableAndTakesOnlySteps) {
    const auto ordered = std::dynamic_pointer_cast<ORKOrderedTask>(
        decode(jsonObject(R"({"_class":"ORKOrderedTask","identifier":"t","steps":[]})")));
    ASSERT_TRUE(ordered);
    EXPECT_FALSE(std::dynamic_pointer_cast<ORKNavigableOrderedTask>(ordered));
    EXPECT_TRUE(ordered->steps.isEmpty());

    EXPECT_EQ(failureOf(jsonObject(R"({"_class":"ORKOrderedTask","identifier":"t",
                  "steps":[{"_class":"ORKFileResult","identifier":"f"}]})")),
              u"Could not convert 'steps' to array of class ORKStep:\n"
              u"Expected subclass of ORKStep but got ORKFileResult"_s);
}

TEST(RuleRows, DirectRuleAlwaysLeadsToItsDestination) {
    const QJsonObject json = jsonObject(
        R"({"_class":"ORKDirectStepNavigationRule","destinationStepIdentifier":"done"})");
    const Value::Object decoded = decode(json);
    const auto rule = std::dynamic_pointer_cast<ORKStepNavigationRule>(decoded);
    ASSERT_TRUE(rule);
    EXPECT_EQ(classNameOf(decoded), u"ORKDirectStepNavigationRule"_s);
    EXPECT_EQ(rule->identifierForDestinationStepWithTaskResult(ORKTaskResult(u"t"_s)), u"done"_s);
    EXPECT_EQ(encode(decoded), json);
}

TEST(RuleRows, PredicateRuleDecodesOnlyWithoutPredicates) {
    const auto rule = std::dynamic_pointer_cast<ORKPredicateStepNavigationRule>(
        decode(jsonObject(R"({"_class":"ORKPredicateStepNavigationRule","resultPredicates":[]})")));
    ASSERT_TRUE(rule);
    EXPECT_TRUE(rule->resultPredicates.isEmpty());
    EXPECT_EQ(rule->identifierForDestinationStepWithTaskResult(ORKTaskResult(u"t"_s)),
              std::nullopt);
    EXPECT_EQ(encode(rule), jsonObject(R"({"_class":"ORKPredicateStepNavigationRule"})"));

    EXPECT_EQ(failureOf(jsonObject(
                  R"({"_class":"ORKPredicateStepNavigationRule","resultPredicates":["x"]})")),
              u"Could not convert 'resultPredicates' to array of class NSPredicate:\n"
              u"Unexpected input of class NSString for NSPredicate"_s);
}

TEST(RuleRows, AbstractClassesCannotBeDecoded) {
    for (const char* name : {"ORKStepNavigationRule", "ORKTask"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(failureOf(jsonObject(R"({"_class":")" + QByteArray(name) + R"("})")),
                  u"Expected subclass of (null) but got "_s + QString::fromLatin1(name));
    }
}

}  // namespace
}  // namespace pathloom
