#include "serialization/ValueForms.h"

#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "serialization/ORKESerializationContext.h"

#include <gtest/gtest.h>
#include <QJsonArray>
#include <ctime>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::jsonObject;

Value decode(const ValueForm& form, const QJsonValue& json) {
    return form.toObject(json, ORKESerializationContext{});
}

QJsonValue encode(const ValueForm& form, const Value& value) {
    return form.toJson(value, ORKESerializationContext{});
}

QJsonValue jsonValue(const QByteArray& text) {
    return jsonObject(R"({"v":)" + text + "}").value(u"v");
}

struct FormCase {
    const char* name;
    ValueForm form;
    QByteArray json;
    Value expected;
    // The JSON the value encodes to, when it is not `json` itself; "nothing" when nothing is
    // written.
    QByteArray encoded = {};
};

void PrintTo(const FormCase& formCase, std::ostream* os) { *os << formCase.name; }

class ValueFormTest : public testing::TestWithParam<FormCase> {};

TEST_P(ValueFormTest, DecodesTheValueAndEncodesItBack) {
    const FormCase& formCase = GetParam();
    const Value decoded = decode(formCase.form, jsonValue(formCase.json));
    EXPECT_EQ(decoded, formCase.expected);
    if (!formCase.expected.isNone()) {
        const QByteArray encoded = formCase.encoded.isEmpty() ? formCase.json : formCase.encoded;
        if (encoded == "nothing") {
            EXPECT_TRUE(encode(formCase.form, decoded).isUndefined());
        } else {
            EXPECT_EQ(encode(formCase.form, decoded), jsonValue(encoded));
        }
    }
}

const QUuid kUuid = QUuid::fromString(u"6f1e2a3b-4c5d-4e6f-8a9b-0c1d2e3f4a5b"_s);
const QStringList kStyles{u"singleChoice"_s, u"multipleChoice"_s};

INSTANTIATE_TEST_SUITE_P(
    Forms, ValueFormTest,
    testing::Values(
        FormCase{"Url", form::url(), R"("https://example.com/a%20b?x=1")",
                 QUrl(u"https://example.com/a%20b?x=1"_s)},
        FormCase{"UrlThatDoesNotParse", form::url(), R"("https://example.com/a b")", Value()},
        FormCase{"UrlFromANumber", form::url(), "3", Value()},
        FormCase{"DateWithOffset", form::date(), R"("2021-03-04T10:20:30+0100")",
                 QDateTime(QDate(2021, 3, 4), QTime(9, 20, 30), Qt::UTC),
                 R"("2021-03-04T09:20:30+0000")"},
        FormCase{"DateInUtc", form::date(), R"("2021-03-04T10:20:30Z")",
                 QDateTime(QDate(2021, 3, 4), QTime(10, 20, 30), Qt::UTC),
                 R"("2021-03-04T10:20:30+0000")"},
        FormCase{"DateWithoutZone", form::date(), R"("2021-03-04T10:20:30")", Value()},
        FormCase{"DateWithColonOffset", form::date(), R"("2021-03-04T10:20:30-05:30")",
                 QDateTime(QDate(2021, 3, 4), QTime(15, 50, 30), Qt::UTC),
                 R"("2021-03-04T15:50:30+0000")"},
        FormCase{"DateWithShortOffset", form::date(), R"("2021-03-04T10:20:30+01")", Value()},
        FormCase{"DateWithMonthThirteen", form::date(), R"("2021-13-04T10:20:30Z")", Value()},
        FormCase{"DateWithHour24", form::date(), R"("2021-03-04T24:00:00Z")", Value()},
        FormCase{"DateWithOtherDigits", form::date(), R"("٢021-03-04T10:20:30Z")", Value()},
        FormCase{"Calendar", form::calendar(), R"("hebrew")", Calendar{u"hebrew"_s}},
        FormCase{"UnknownCalendar", form::calendar(), R"("martian")", Value()},
        FormCase{"TimeZoneDropsTheFraction", form::timeZone(), "3600.7", QTimeZone(3600), "3600"},
        FormCase{"TimeZoneWest", form::timeZone(), "-18000", QTimeZone(-18000)},
        // Offsets past the integer range neither crash nor wrap round to a valid zone.
        FormCase{"TimeZoneBeyondTheIntegerRange", form::timeZone(), "4294970896", Value()},
        FormCase{"TimeZoneFarBeyondTheIntegerRange", form::timeZone(), "1e300", Value()},
        FormCase{"TimeZoneBeyondFourteenHours", form::timeZone(), "86400", Value()},
        FormCase{"TimeOfDay", form::timeOfDay(), R"("07:05")", DateComponents{7, 5}},
        FormCase{"TimeOfDayWithOneHourDigit", form::timeOfDay(), R"("7:05")", DateComponents{7, 5},
                 R"("07:05")"},
        FormCase{"TimeOfDayOutOfRange", form::timeOfDay(), R"("25:00")", DateComponents{},
                 R"("00:00")"},
        FormCase{"Insets", form::insets(), R"({"top":1,"left":2.5,"bottom":3,"right":4})",
                 EdgeInsets{1, 2.5, 3, 4}},
        FormCase{"InsetsWithMissingKeys", form::insets(), R"({"top":1})", EdgeInsets{1, 0, 0, 0},
                 R"({"top":1,"left":0,"bottom":0,"right":0})"},
        FormCase{"Coordinate", form::coordinate(), R"({"latitude":51.5,"longitude":-0.12})",
                 Coordinate{51.5, -0.12}},
        FormCase{"Region", form::region(),
                 R"({"coordinate":{"latitude":1,"longitude":2},"radius":30,"identifier":"home"})",
                 CircularRegion{{1, 2}, 30, u"home"_s}},
        FormCase{
            "RegionWithAFourthKey", form::region(),
            R"({"coordinate":{"latitude":1,"longitude":2},"radius":30,"identifier":"home","x":1})",
            Value()},
        FormCase{"PostalAddress", form::postalAddress(),
                 R"({"street":"1 Main St","city":"Springfield"})",
                 PostalAddress{u"1 Main St"_s, u"Springfield"_s}},
        FormCase{
            "RegularExpression", form::regularExpression(),
            R"({"pattern":"^[a-z]+$","options":["NSRegularExpressionCaseInsensitive","Unknown","NSRegularExpressionAnchorsMatchLines"]})",
            RegularExpression{u"^[a-z]+$"_s, 1 | 16},
            R"({"pattern":"^[a-z]+$","options":["NSRegularExpressionCaseInsensitive","NSRegularExpressionAnchorsMatchLines"]})"},
        FormCase{"RegularExpressionWithoutOptions", form::regularExpression(), R"({"pattern":"x"})",
                 Value()},
        FormCase{"PasswordRules", form::passwordRules(),
                 R"({"rules":"required: upper; minlength: 8;"})",
                 PasswordRules{u"required: upper; minlength: 8;"_s}},
        FormCase{"PasswordRulesWithAnotherKey", form::passwordRules(), R"({"rules":"x","y":1})",
                 Value()},
        FormCase{"Uuid", form::uuid(), R"("6F1E2A3B-4C5D-4E6F-8A9B-0C1D2E3F4A5B")", kUuid},
        FormCase{"UuidThatDoesNotParse", form::uuid(), R"("not-a-uuid")", Value()},
        FormCase{"StyleName", form::styleName(kStyles), R"("multipleChoice")", qint64(1)},
        FormCase{"FirstStyleName", form::styleName(kStyles), R"("singleChoice")", qint64(0)},
        FormCase{"UnknownStyleName", form::styleName(kStyles), R"("sideways")",
                 std::numeric_limits<qint64>::max(), "nothing"}),
    [](const testing::TestParamInfo<FormCase>& info) { return std::string(info.param.name); });

// The fields are read at the offset the text gives, whatever the machine's own zone skips.
TEST(ValueForms, ReadDatesInTheHourALocalZoneSkips) {
    const QByteArray previous = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const Value decoded = decode(form::date(), jsonValue(R"("2021-03-28T02:30:00Z")"));
    previous.isNull() ? qunsetenv("TZ") : qputenv("TZ", previous);
    tzset();
    EXPECT_EQ(decoded, Value(QDateTime(QDate(2021, 3, 28), QTime(2, 30), Qt::UTC)));
}

TEST(ValueForms, WriteNothingForAValueOfAnotherKind) {
    EXPECT_TRUE(encode(form::url(), Value(u"https://example.com"_s)).isUndefined());
    EXPECT_TRUE(encode(form::date(), Value(qint64(5))).isUndefined());
}

TEST(ValueForms, DecodeImagesOnlyThroughTheContextsProvider) {
    const QJsonValue reference = jsonValue(R"({"imageName":"star"})");
    EXPECT_TRUE(decode(form::imageReference(), reference).isNone());
}

}  // namespace
}  // namespace pathloom
