#include "session/Session.h"

#include "QtPrinting.h"
#include "foundation/Json.h"
#include "session/PathloomListStepResult.h"
#include "session/PathloomNetworkStepResult.h"
#include "session/SessionProviders.h"
#include "session/ValueText.h"
#include "taskmodel/ORKBooleanQuestionResult.h"
#include "taskmodel/ORKChoiceQuestionResult.h"
#include "taskmodel/ORKDateQuestionResult.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKLocation.h"
#include "taskmodel/ORKLocationQuestionResult.h"
#include "taskmodel/ORKScaleQuestionResult.h"
#include "taskmodel/ORKTextQuestionResult.h"

#include <gtest/gtest.h>
#include <thread>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

template <typename T>
std::shared_ptr<T> answered(const QString& identifier, Value answer) {
    auto result = std::make_shared<T>(identifier);
    result->answer = std::move(answer);
    return result;
}

std::shared_ptr<Session> sessionWith(QList<std::pair<QString, Value>> entries) {
    auto session = std::make_shared<Session>();
    for (auto& [key, value] : entries) {
        session->setValueProvider(key, std::move(value));
    }
    return session;
}

const auto kBlue =
    std::make_shared<ListStepItem>(3, u"Blue"_s, u"Sky"_s, u"star"_s, u"https://img/b.png"_s);
const auto kTextAnswer = answered<ORKTextQuestionResult>(u"q1"_s, u"yes"_s);
const auto kFile = [] {
    auto file = std::make_shared<ORKFileResult>(u"photo"_s);
    file->fileURL = QUrl::fromLocalFile(u"/tmp/photo.jpg"_s);
    file->contentType = u"image/jpeg"_s;
    return file;
}();
const Value::Dictionary kResponse{{u"id"_s, qint64(7)}, {u"name"_s, u"Ann"_s}};

std::shared_ptr<Session> richSession() {
    return sessionWith({
        {u"q1"_s, Value(kTextAnswer)},
        {u"agree"_s, Value(answered<ORKBooleanQuestionResult>(u"agree"_s, true))},
        {u"refuse"_s, Value(answered<ORKBooleanQuestionResult>(u"refuse"_s, qint64(0)))},
        {u"scale"_s, Value(answered<ORKScaleQuestionResult>(u"scale"_s, qint64(3)))},
        {u"list"_s, Value(std::make_shared<PathloomListStepResult>(u"list"_s, kBlue))},
        {u"net"_s, Value(std::make_shared<PathloomNetworkStepResult>(
                       u"net"_s, QByteArray(R"({"id":7,"name":"Ann"})")))},
        {u"token"_s, Value(u"abc"_s)},
        {u"params"_s, Value(Value::Dictionary{{u"user"_s, Value::Dictionary{{u"name"_s, u"Jo"_s}}},
                                              {u"count"_s, qint64(2)}})},
        {u"photo"_s, Value(kFile)},
    });
}

struct KeyPathCase {
    const char* path;
    Value expected;
};

void PrintTo(const KeyPathCase& keyPath, std::ostream* os) { *os << keyPath.path; }

class KeyPathTest : public testing::TestWithParam<KeyPathCase> {};

TEST_P(KeyPathTest, ResolvesTheKeyPath) {
    EXPECT_EQ(richSession()->value(QString::fromUtf8(GetParam().path)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, KeyPathTest,
    testing::Values(
        KeyPathCase{"q1", Value(kTextAnswer)},  // one component: the provider itself
        KeyPathCase{"q1.answer", u"yes"_s}, KeyPathCase{"q1.other", Value()},
        KeyPathCase{"agree.answer", u"true"_s}, KeyPathCase{"refuse.answer", u"false"_s},
        KeyPathCase{"scale.answer", qint64(3)}, KeyPathCase{"list.selected", Value(kBlue)},
        KeyPathCase{"list.selected.text", u"Blue"_s}, KeyPathCase{"list.selected.id", qint64(3)},
        KeyPathCase{"list.selected.imageURL", Value()}, KeyPathCase{"list.other", Value()},
        KeyPathCase{"net.response", Value(kResponse)},
        KeyPathCase{"net.response.anything", Value(kResponse)},
        KeyPathCase{"net.response.id", Value(kResponse)}, KeyPathCase{"token", u"abc"_s},
        KeyPathCase{"token.x.y", u"abc"_s}, KeyPathCase{"params.user.name", u"Jo"_s},
        KeyPathCase{"params.user", Value(Value::Dictionary{{u"name"_s, u"Jo"_s}})},
        KeyPathCase{"params.count", qint64(2)}, KeyPathCase{"params.missing", Value()},
        KeyPathCase{"params..name", Value()},
        KeyPathCase{"photo", Value()},  // a file result is no value provider
        KeyPathCase{"photo.fileURL", Value()}, KeyPathCase{"missing.answer", Value()},
        KeyPathCase{"", Value()}));

TEST(Session, AnswersNothingOnceCleared) {
    const auto session = richSession();
    session->removeAllValueProviders();
    EXPECT_TRUE(session->value(u"q1.answer"_s).isNone());
    EXPECT_EQ(session->jsonRepresentation(), "{}"_ba);
}

TEST(Session, ListsTheFilesToUpload) {
    const auto binaries = richSession()->binaryProviders();
    ASSERT_EQ(binaries.size(), 1);
    EXPECT_EQ(binaries.first()->identifier(), u"photo"_s);
    EXPECT_EQ(binaries.first()->filePath(), u"/tmp/photo.jpg"_s);
    EXPECT_TRUE(Session().binaryProviders().isEmpty());
}

TEST(Session, WritesJsonCapableEntriesOnly) {
    EXPECT_EQ(sessionWith({{u"q1"_s, Value(kTextAnswer)}})->jsonRepresentation(),
              "{\"q1\": {\"answer\":\"yes\"}}"_ba);
    EXPECT_EQ(sessionWith({{u"token"_s, Value(u"abc"_s)},
                           {u"params"_s, Value(Value::Dictionary{{u"a"_s, qint64(1)}})},
                           {u"photo"_s, Value(kFile)}})
                  ->jsonRepresentation(),
              "{}"_ba);
    EXPECT_EQ(Session().jsonRepresentation(), "{}"_ba);
}

TEST(Session, WritesEveryEntryAsValidJson) {
    const auto session = richSession();
    session->setValueProvider(u"say \"hi\"\\"_s,
                              Value(answered<ORKTextQuestionResult>(u"x"_s, u"a\"b"_s)));

    const auto json = json::parse(*session->jsonRepresentation());

    ASSERT_TRUE(json) << json.error().description().toStdString();
    const QJsonObject object = json->toObject();
    EXPECT_EQ(object.value(u"say \"hi\"\\"_s).toObject().value(u"answer"), QJsonValue(u"a\"b"_s));
    EXPECT_EQ(object.value(u"q1").toObject().value(u"answer"), QJsonValue(u"yes"_s));
    EXPECT_EQ(object.value(u"agree").toObject().value(u"answer"), QJsonValue(true));
    EXPECT_EQ(object.value(u"net").toObject(), QJsonObject({{u"id"_s, 7}, {u"name"_s, u"Ann"_s}}));
    EXPECT_EQ(object.value(u"list").toObject().value(u"selected").toObject().value(u"id"),
              QJsonValue(3));
    for (const char* absent : {"token", "params", "photo"}) {
        EXPECT_FALSE(object.contains(QString::fromLatin1(absent))) << absent;
    }
}

TEST(QuestionResultProviders, WriteTheirAnswerAsJsonAndContent) {
    const QDateTime date(QDate(2021, 3, 4), QTime(5, 6, 7), Qt::UTC);
    struct Case {
        Value result;
        std::optional<QByteArray> json;
        Value::Dictionary content;
    };
    const QList<Case> cases{
        {Value(kTextAnswer),
         "{\"answer\":\"yes\"}"_ba,
         {{u"q1"_s, Value::Dictionary{{u"answer"_s, u"yes"_s}}}}},
        {Value(answered<ORKChoiceQuestionResult>(u"c"_s, Value::Array{u"a"_s, u"b"_s})),
         "{\"answer\":[\"a\",\"b\"]}"_ba,
         {}},
        {Value(answered<ORKScaleQuestionResult>(u"s"_s, 2.5)),
         "{\"answer\":2.5}"_ba,
         {{u"s"_s, Value::Dictionary{{u"answer"_s, u"2.5"_s}}}}},
        {Value(answered<ORKDateQuestionResult>(u"d"_s, date)),
         "{\"answer\": \"2021-03-04T05:06:07Z\"}"_ba,
         {{u"d"_s, Value::Dictionary{{u"answer"_s, u"2021-03-04T05:06:07Z"_s}}}}},
        {Value(answered<ORKLocationQuestionResult>(
             u"l"_s, Value(std::make_shared<ORKLocation>(Coordinate{51.5, -0.12})))),
         "{\"answer\": {\"latitude\": 51.5, \"longitude\": -0.12}}"_ba,
         {{u"l"_s, Value::Dictionary{{u"answer"_s, u"51.5,-0.12"_s}}}}},
        {Value(std::make_shared<ORKTextQuestionResult>(u"skipped"_s)), std::nullopt, {}},
    };
    for (const Case& questionCase : cases) {
        EXPECT_EQ(providers::jsonRepresentation(questionCase.result), questionCase.json);
        EXPECT_EQ(providers::content(questionCase.result), questionCase.content);
    }
}

TEST(ValueText, WritesNumbersDatesAndLocations) {
    EXPECT_EQ(stringValue(qint64(3)), u"3"_s);
    EXPECT_EQ(stringValue(qint64(-12)), u"-12"_s);
    EXPECT_EQ(stringValue(2.5), u"2.5"_s);
    EXPECT_EQ(stringValue(3.0), u"3"_s) << "a number object writes a whole double without fraction";
    EXPECT_EQ(stringValue(true), u"true"_s);
    EXPECT_EQ(stringValue(Value::Array{}), std::nullopt);
    EXPECT_EQ(doubleDescription(2.5), u"2.5"_s);
    EXPECT_EQ(doubleDescription(3.0), u"3.0"_s);
    EXPECT_EQ(doubleDescription(1e-05), u"1e-05"_s);
    EXPECT_EQ(doubleDescription(-0.12), u"-0.12"_s);
    EXPECT_EQ(doubleDescription(0.1), u"0.1"_s);
    EXPECT_EQ(iso8601Text(QDateTime(QDate(2021, 3, 4), QTime(6, 6, 7), QTimeZone(3600))),
              u"2021-03-04T05:06:07Z"_s);
    EXPECT_EQ(stringValue(Value(Coordinate{51.5, -0.12})), u"51.5,-0.12"_s);
}

TEST(Session, ReadersSeeWholeSnapshotsWhileTheMapIsWritten) {
    Session session;
    std::atomic<bool> done = false;
    std::thread reader([&] {
        while (!done) {
            const Session::Providers snapshot = session.valueProviders();
            EXPECT_TRUE(snapshot.isEmpty() || snapshot.size() == 2);
            (void)session.jsonRepresentation();
        }
    });
    for (int i = 0; i < 2000; ++i) {
        session.setValueProviders({{u"a"_s, Value(kTextAnswer)}, {u"b"_s, Value(u"x"_s)}});
        session.removeAllValueProviders();
    }
    done = true;
    reader.join();
}

}  // namespace
}  // namespace pathloom
