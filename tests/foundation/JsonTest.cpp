#include "foundation/Json.h"

#include "JsonLiteral.h"
#include "QtPrinting.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;

struct IntegerCase {
    const char* json;
    std::optional<qint64> expected;
};

void PrintTo(const IntegerCase& integerCase, std::ostream* os) { *os << integerCase.json; }

class JsonIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(JsonIntegerTest, AcceptsOnlyNumbersThatConvertExactly) {
    const QJsonObject object = jsonObject(QByteArray(R"({"v":)") + GetParam().json + "}");
    EXPECT_EQ(json::readInteger(object, u"v"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, JsonIntegerTest,
    testing::Values(IntegerCase{"7", 7}, IntegerCase{"-3", -3}, IntegerCase{"1.0", 1},
                    IntegerCase{"2e3", 2000}, IntegerCase{"1.5", std::nullopt},
                    IntegerCase{"9007199254740993", 9007199254740993LL},
                    IntegerCase{"9223372036854775807", 9223372036854775807LL},
                    IntegerCase{"-9223372036854775808", std::numeric_limits<qint64>::min()},
                    IntegerCase{"9223372036854775808", std::nullopt},
                    IntegerCase{"1e300", std::nullopt}, IntegerCase{R"("7")", std::nullopt},
                    IntegerCase{"true", std::nullopt}, IntegerCase{"null", std::nullopt},
                    IntegerCase{"[7]", std::nullopt}));

TEST(JsonReaders, TreatMissingKeysAndOtherTypesAlike) {
    const QJsonObject object = jsonObject(
        R"({"s":"text","b":true,"n":2.5,"o":{"k":1},"a":[1,"x"],"objects":[{},{"k":1}],"mixed":[{},1]})");

    EXPECT_EQ(json::readString(object, u"s"), QStringLiteral("text"));
    EXPECT_EQ(json::readString(object, u"b"), std::nullopt);
    EXPECT_EQ(json::readString(object, u"missing"), std::nullopt);

    EXPECT_EQ(json::readBoolean(object, u"b"), true);
    EXPECT_EQ(json::readBoolean(object, u"n"), std::nullopt);
    EXPECT_EQ(json::readBoolean(object, u"s"), std::nullopt);

    EXPECT_EQ(json::readNumber(object, u"n"), 2.5);
    EXPECT_EQ(json::readNumber(object, u"b"), std::nullopt);

    EXPECT_EQ(json::readObject(object, u"o"), jsonObject(R"({"k":1})"));
    EXPECT_EQ(json::readObject(object, u"a"), std::nullopt);
    EXPECT_EQ(json::readArray(object, u"a")->size(), 2);
    EXPECT_EQ(json::readArray(object, u"o"), std::nullopt);

    EXPECT_EQ(json::readObjectList(object, u"objects")->size(), 2);
    EXPECT_EQ(json::readObjectList(object, u"mixed"), std::nullopt)
        << "one element that is not an object rejects the whole list";
    EXPECT_EQ(json::readObjectList(object, u"o"), std::nullopt);
    EXPECT_EQ(json::readObjectList(jsonObject(R"({"l":[]})"), u"l"), QList<QJsonObject>{});
}

TEST(JsonText, ReadsObjectsAndArraysAndRejectsFragmentsByDefault) {
    EXPECT_TRUE(json::parse(R"({"a":1})")->isObject());
    EXPECT_TRUE(json::parse("[1,2]")->isArray());

    const auto fragment = json::parse("42");
    ASSERT_FALSE(fragment);
    EXPECT_FALSE(fragment.error().message.isEmpty());
}

TEST(JsonText, ReportsWhereInvalidTextStops) {
    const auto result = json::parse(R"({"a": tru})");
    ASSERT_FALSE(result);
    EXPECT_GT(result.error().offset, 0);
    EXPECT_TRUE(result.error().description().startsWith(
        QStringLiteral("The data couldn't be read because it isn't valid JSON")));
}

TEST(JsonText, ReadsSingleFragmentsWhenAllowed) {
    EXPECT_EQ(json::parse("42", json::Fragments::allowed), QJsonValue(42));
    EXPECT_EQ(json::parse(R"( "x" )", json::Fragments::allowed), QJsonValue(QStringLiteral("x")));
    EXPECT_EQ(json::parse("null", json::Fragments::allowed), QJsonValue(QJsonValue::Null));
    EXPECT_TRUE(json::parse(R"({"a":1})", json::Fragments::allowed)->isObject());

    for (const char* invalid : {"", "1,2", "1] [2", "{", "]"}) {
        EXPECT_FALSE(json::parse(invalid, json::Fragments::allowed)) << invalid;
    }
}

TEST(JsonText, WritesWhatItReadsValueForValue) {
    const QJsonObject original = jsonObject(R"({
        "int": 9007199254740993, "negative": -42, "double": 0.1, "tiny": 5e-324,
        "big": 1.7976931348623157e308, "text": "é ✓ \" \\ \n 😀", "bool": false, "null": null,
        "array": [1, "two", [3], {"four": 4}], "object": {"nested": {"deep": []}}
    })");

    const auto reread = json::parse(json::write(original));

    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->toObject(), original);
    EXPECT_EQ(json::readInteger(reread->toObject(), u"int"), 9007199254740993LL);
}

TEST(JsonText, QuotesStringsAsQtWritesThemOneAfterAnother) {
    QString controls;
    for (char16_t u = 0; u < 0x20; ++u) {
        controls += QChar(u);
    }
    const QList<QString> texts{
        u""_s,
        controls,
        u"\" \\ / \x7f"_s,
        u"é ü 北京 \U0001F600 ✓"_s,
        QString(QChar(0xDC00)) + u"a"_s,
        u"a"_s + QChar(0xD800),
        QString(QChar(0xD800)) + QChar(0xD800) + QChar(0xDC00),
        QString(100000, u'\n'),
        QString(70000, u'x') + u"北"_s,
    };
    QByteArray ours = "[";
    QJsonArray array;
    for (const QString& text : texts) {
        if (ours.size() > 1) {
            ours += ',';
        }
        json::appendQuoted(ours, text);
        array.append(text);
    }
    ours += ']';

    EXPECT_EQ(ours, json::write(array));
}

}  // namespace
}  // namespace pathloom
