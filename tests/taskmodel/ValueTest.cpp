#include "foundation/Json.h"
#include "taskmodel/ORKResult.h"
#include "taskmodel/Value.h"

#include <gtest/gtest.h>

#include <limits>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

// The writer is held to Qt's own: whatever Qt writes for toJson() is the text to give.
TEST(Value, WritesJsonAsQtWritesTheSameValue) {
    const double infinity = std::numeric_limits<double>::infinity();
    const Value values[] = {
        Null{},
        true,
        false,
        qint64(0),
        qint64(-42),
        std::numeric_limits<qint64>::min(),
        std::numeric_limits<qint64>::max(),
        0.0,
        -0.0,
        2.5,
        3.0,
        0.1,
        1e21,
        1.5e-7,
        -123456.789,
        9007199254740993.0,
        infinity,
        -infinity,
        std::numeric_limits<double>::quiet_NaN(),
        u""_s,
        u"plain"_s,
        u"quote \" backslash \\ slash / tab \t newline \n bell \a"_s,
        u"é ü 北京 \U0001F600"_s,
        QString(QChar(0xD800)),
        Value::Array{},
        Value::Array{qint64(1), u"two"_s, Null{}, Value::Array{false}},
        Value::Dictionary{},
        Value::Dictionary{{u"b"_s, qint64(1)},
                          {u"a"_s, Value::Dictionary{{u"z"_s, 1.25}, {u"Z"_s, u"x"_s}}},
                          {u"é"_s, true},
                          {u"A"_s, Value::Array{}}},
    };
    for (const Value& value : values) {
        const std::optional<QJsonValue> qt = value.toJson();
        ASSERT_TRUE(qt);
        QByteArray json = "prefix ";
        ASSERT_TRUE(value.appendJson(json));
        EXPECT_EQ(json, "prefix " + json::writeFragment(*qt));
    }
}

TEST(Value, WritesNothingForWhatJsonCannotHold) {
    const Value values[] = {
        Value(),
        QUrl(u"https://example.com"_s),
        Value(std::make_shared<ORKResult>(u"r"_s)),
        Value::Array{qint64(1), Value::Array{QUrl(u"https://example.com"_s)}},
        Value::Dictionary{{u"a"_s, qint64(1)}, {u"b"_s, Value()}},
    };
    for (const Value& value : values) {
        EXPECT_FALSE(value.toJson());
        QByteArray json = "kept";
        EXPECT_FALSE(value.appendJson(json));
        EXPECT_EQ(json, "kept");
    }
}

}  // namespace
}  // namespace pathloom
