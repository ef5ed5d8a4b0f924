#include "session/NetworkStepResponse.h"
#include "session/PathloomListStepResult.h"
#include "session/PathloomNetworkStepResult.h"

#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "foundation/Json.h"
#include "session/Session.h"
#include "session/SessionProviders.h"
#include "taskmodel/ORKChoiceQuestionResult.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;

TEST(PathloomNetworkStepResult, KeepsOnlyAnObjectAnswer) {
    struct Case {
        std::optional<QByteArray> body;
        Value::Dictionary response;
    };
    const QList<Case> cases{
        {QByteArray(R"({"id":7})"), {{u"id"_s, qint64(7)}}},
        {QByteArray("[1,2]"), {}},
        {QByteArray("42"), {}},
        {QByteArray("not json"), {}},
        {std::nullopt, {}},
    };
    for (const Case& answer : cases) {
        const PathloomNetworkStepResult result(u"net"_s, answer.body);
        EXPECT_EQ(result.response, answer.response) << answer.body.value_or("(none)").toStdString();
    }
}

TEST(PathloomNetworkStepResult, WritesItsAnswerIntoTheSession) {
    Session session;
    session.setValueProvider(u"net"_s, Value(std::make_shared<PathloomNetworkStepResult>(
                                           u"net"_s, QByteArray(R"({"id":7})"))));
    EXPECT_EQ(session.jsonRepresentation(), "{\"net\": {\"id\":7}}"_ba);

    session.setValueProvider(u"net"_s, Value(std::make_shared<PathloomNetworkStepResult>(
                                           u"net"_s, QByteArray("[1,2]"))));
    EXPECT_EQ(session.jsonRepresentation(), "{\"net\": {}}"_ba);
}

TEST(PathloomNetworkStepResult, OffersItsAnswerAsContentOnlyWhenEncodable) {
    PathloomNetworkStepResult result(u"net"_s, QByteArray(R"({"a":[1,"x",null],"b":{"c":true}})"));
    EXPECT_EQ(result.content(), result.response);
    result.response.insert(u"object"_s, Value(std::make_shared<ListStepItem>(1, u"x"_s)));
    EXPECT_TRUE(result.content().isEmpty());
    EXPECT_EQ(result.jsonRepresentation(), std::nullopt);
}

TEST(PathloomNetworkStepResult, StoresAndCopiesItsAnswer) {
    auto result = std::make_shared<PathloomNetworkStepResult>(
        u"net"_s, QByteArray(R"({"id":7,"tags":["a"]})"));
    result->startDate = QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);

    const QJsonObject stored = result->toJson();
    EXPECT_EQ(stored.value(u"identifier"), QJsonValue(u"net"_s));
    const auto restored = PathloomNetworkStepResult::fromJson(stored);
    ASSERT_TRUE(restored);
    EXPECT_EQ((*restored)->response, result->response);
    EXPECT_FALSE(PathloomNetworkStepResult::fromJson(jsonObject(R"({"response":null})")));

    const auto copy = std::dynamic_pointer_cast<PathloomNetworkStepResult>(result->copy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->identifier, u"net"_s);
    EXPECT_EQ(copy->response, result->response);
    EXPECT_NE(copy->startDate, result->startDate) << "a copy has the dates of a new result";
}

TEST(PathloomListStepResult, WritesTheSelectedEntry) {
    const auto blue = std::make_shared<ListStepItem>(3, u"Blue"_s);
    const PathloomListStepResult picked(u"pick"_s, blue);
    EXPECT_EQ(picked.jsonRepresentation(), "{\"selected\":{\"id\":3,\"text\":\"Blue\"}}"_ba);
    EXPECT_EQ(picked.content(),
              (Value::Dictionary{{u"pick"_s, Value::Dictionary{{u"selected"_s, Value(blue)}}}}));

    const PathloomListStepResult nothing(u"pick"_s, nullptr);
    EXPECT_EQ(nothing.jsonRepresentation(), std::nullopt);
    EXPECT_TRUE(nothing.content().isEmpty());
    Session session;
    session.setValueProvider(u"pick"_s,
                             Value(std::make_shared<PathloomListStepResult>(u"pick"_s, nullptr)));
    EXPECT_EQ(session.jsonRepresentation(), "{}"_ba);
    EXPECT_TRUE(session.value(u"pick.selected.text"_s).isNone());
}

TEST(PathloomListStepResult, WritesItsEntryAsQtWritesItsStoredForm) {
    const std::shared_ptr<ListStepItem> items[] = {
        std::make_shared<ListStepItem>(0, u""_s),
        std::make_shared<ListStepItem>(-7, u"Room \"7\" \u00e9"_s, u"Second floor"_s),
        std::make_shared<ListStepItem>(1LL << 60, u"Room"_s, std::nullopt, u"house"_s),
        std::make_shared<ListStepItem>(2, u"Room"_s, std::nullopt, std::nullopt,
                                       u"https://example.com/a.png"_s),
        std::make_shared<ListStepItem>(3, u"Room"_s, u"Detail"_s, u"house"_s,
                                       u"https://example.com/a.png"_s),
    };
    for (const auto& item : items) {
        const PathloomListStepResult picked(u"pick"_s, item);
        EXPECT_EQ(picked.jsonRepresentation(), json::write(picked.toJson()));
    }
}

TEST(PathloomListStepResult, StoresAndCopiesTheSameEntry) {
    const auto blue = std::make_shared<ListStepItem>(3, u"Blue"_s, u"Sky"_s);
    const auto result = std::make_shared<PathloomListStepResult>(u"pick"_s, blue);

    const auto restored = PathloomListStepResult::fromJson(u"pick"_s, result->toJson());
    ASSERT_TRUE(restored);
    ASSERT_TRUE((*restored)->selected);
    EXPECT_EQ(*(*restored)->selected, *blue);
    EXPECT_FALSE(PathloomListStepResult::fromJson(
        u"pick"_s, jsonObject(R"({"selected":{"id":"3","text":"x"}})")));

    const auto copy = std::dynamic_pointer_cast<PathloomListStepResult>(result->copy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->selected, blue) << "the copy shares the entry";
}

// Choices among answers and among list entries say what was chosen, whatever their class.
TEST(NavigationTriggerResult, NamesWhatWasChosen) {
    auto choice = std::make_shared<ORKChoiceQuestionResult>(u"colour"_s);
    choice->answer = Value::Array{u"red"_s, u"blue"_s};
    auto picked = std::make_shared<PathloomListStepResult>(
        u"pick"_s, std::make_shared<ListStepItem>(7, u"Seven"_s));
    const auto nothing = std::make_shared<PathloomListStepResult>(u"pick"_s, nullptr);

    const QList<std::pair<std::shared_ptr<ORKResult>, Value>> cases{
        {choice, Value(Value::Array{u"red"_s, u"blue"_s})},
        {picked, Value(qint64(7))},
        {nothing, Value()},
    };
    for (const auto& [result, chosen] : cases) {
        const auto* trigger = dynamic_cast<const NavigationTriggerResult*>(result.get());
        ASSERT_TRUE(trigger) << result->identifier.toStdString();
        EXPECT_EQ(trigger->navigationValue(), chosen) << result->identifier.toStdString();
    }
    EXPECT_FALSE(dynamic_cast<const NavigationTriggerResult*>(
        std::make_shared<ORKQuestionResult>(u"plain"_s).get()));
}

TEST(ListStepItem, WritesOptionalKeysOnlyWhenPresent) {
    EXPECT_EQ(ListStepItem(3, u"Blue"_s).toJson(), jsonObject(R"({"id":3,"text":"Blue"})"));
    EXPECT_EQ(ListStepItem(3, u"Blue"_s, std::nullopt, u"star"_s).toJson(),
              jsonObject(R"({"id":3,"text":"Blue","sfSymbolName":"star"})"));
    EXPECT_EQ(ListStepItem(3, u"Blue"_s).description(), u"Item 3: Blue"_s);
    const ListStepItem item(3, u"Blue"_s, std::nullopt, u"star"_s, u"https://img/b.png"_s);
    EXPECT_TRUE(item.fetchValue(u"imageURL"_s).isNone());
    EXPECT_EQ(item.content(), (Value::Dictionary{{u"id"_s, qint64(3)},
                                                 {u"text"_s, u"Blue"_s},
                                                 {u"detailText"_s, Null{}},
                                                 {u"sfSymbolName"_s, u"star"_s}}));
    for (const QByteArray& invalid : {QByteArray(R"({"text":"x"})"), QByteArray(R"({"id":1})"),
                                      QByteArray(R"({"id":1,"text":2})")}) {
        EXPECT_FALSE(ListStepItem::fromJson(jsonObject(invalid))) << invalid.toStdString();
    }
}

TEST(NetworkStepResponse, ReadsTheAnswerAndTheFilesToUpload) {
    const NetworkStepResponse response = NetworkStepResponse::fromJson(jsonObject(R"({
        "response": {"ok": true},
        "binary_urls": [
            {"identifier": "photo", "url": "/upload/{photo.id}", "method": "put"},
            {"identifier": "video"},
            {"identifier": "scan", "url": "/scan"}
        ]})"));

    EXPECT_EQ(response.response, (Value::Dictionary{{u"ok"_s, true}}));
    EXPECT_EQ(response.binariesURL,
              (QList<NetworkStepBinaryResponse>{{u"photo"_s, u"/upload/{photo.id}"_s, u"PUT"_s},
                                                {u"scan"_s, u"/scan"_s, u"POST"_s}}));
    const NetworkStepResponse empty =
        NetworkStepResponse::fromJson(jsonObject(R"({"response":[1]})"));
    EXPECT_TRUE(empty.response.isEmpty());
    EXPECT_TRUE(empty.binariesURL.isEmpty());
    EXPECT_EQ(response.binariesURL.first().toJson(),
              jsonObject(R"({"identifier":"photo","url":"/upload/{photo.id}","method":"PUT"})"));
}

}  // namespace
}  // namespace pathloom
