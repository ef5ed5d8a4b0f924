#include "run/QuestionAnswers.h"

#include "QtPrinting.h"
#include "foundation/Error.h"
#include "foundation/Json.h"
#include "run/AnswerValidator.h"
#include "serialization/ORKESerializer.h"
#include "session/QuestionResultProvider.h"
#include "session/ValueText.h"
#include "taskmodel/ORKBooleanQuestionResult.h"
#include "taskmodel/ORKChoiceQuestionResult.h"
#include "taskmodel/ORKConfirmTextAnswerFormat.h"
#include "taskmodel/ORKDateQuestionResult.h"
#include "taskmodel/ORKDontKnowAnswer.h"
#include "taskmodel/ORKFormStep.h"
#include "taskmodel/ORKLocation.h"
#include "taskmodel/ORKLocationQuestionResult.h"
#include "taskmodel/ORKMultipleComponentQuestionResult.h"
#include "taskmodel/ORKNumericQuestionResult.h"
#include "taskmodel/ORKQuestionStep.h"
#include "taskmodel/ORKSESQuestionResult.h"
#include "taskmodel/ORKScaleQuestionResult.h"
#include "taskmodel/ORKTextQuestionResult.h"
#include "taskmodel/ORKTimeIntervalQuestionResult.h"
#include "taskmodel/ORKTimeOfDayQuestionResult.h"

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <typeindex>

namespace pathloom {

// Lets GoogleTest show answers in failure messages.
void PrintTo(const Value& value, std::ostream* os) {
    if (const std::optional<QJsonValue> json = value.toJson()) {
        ::PrintTo(*json, os);
    } else if (const std::optional<QString> text = stringValue(value)) {
        *os << text->toStdString();
    } else {
        *os << (value.isNone() ? "(no value)" : "(a value without text)");
    }
}

namespace {

using namespace Qt::StringLiterals;

// The object a document describes, decoded as a served document is.
template <typename T>
std::shared_ptr<T> decoded(const QByteArray& document) {
    const auto object = ORKESerializer::objectFromJSONData(document);
    EXPECT_TRUE(object) << document.constData();
    auto typed = object ? std::dynamic_pointer_cast<T>(*object) : nullptr;
    EXPECT_TRUE(typed) << document.constData();
    return typed;
}

std::shared_ptr<ORKAnswerFormat> format(const char* document) {
    return decoded<ORKAnswerFormat>(document);
}

// One JSON value written as text, as it stands in an answers file.
QJsonValue json(const char* text) {
    return QJsonDocument::fromJson("[" + QByteArray(text) + "]").array().at(0);
}

QDateTime localDate(int year, int month, int day) {
    return QDateTime(QDate(year, month, day), QTime(0, 0));
}

constexpr const char* kBoolean = R"({"_class":"ORKBooleanAnswerFormat"})";
constexpr const char* kSingleChoice =
    R"({"_class":"ORKTextChoiceAnswerFormat","style":"singleChoice","textChoices":[
        {"_class":"ORKTextChoice","text":"Office","value":"office"},
        {"_class":"ORKTextChoice","text":"Warehouse","value":"warehouse"},
        {"_class":"ORKTextChoice","text":"Two","value":2}]})";
constexpr const char* kMultipleChoice =
    R"({"_class":"ORKTextChoiceAnswerFormat","style":"multipleChoice","textChoices":[
        {"_class":"ORKTextChoice","text":"Stairs","value":"stairs"},
        {"_class":"ORKTextChoice","text":"Lift","value":"lift"},
        {"_class":"ORKTextChoice","text":"None","value":"none","exclusive":true},
        {"_class":"ORKTextChoiceOther","text":"Other","value":"other"}]})";
constexpr const char* kIntegerOneToTen =
    R"({"_class":"ORKNumericAnswerFormat","style":"integer","minimum":1,"maximum":10})";
constexpr const char* kScaleInTwos =
    R"({"_class":"ORKScaleAnswerFormat","minimum":0,"maximum":10,"step":2,"defaultValue":4})";
constexpr const char* kDate = R"({"_class":"ORKDateAnswerFormat","style":"date",
    "minimumDate":"2026-01-01T12:00:00+0000","maximumDate":"2026-12-31T12:00:00+0000"})";
constexpr const char* kTimeOfDay =
    R"({"_class":"ORKTimeOfDayAnswerFormat","defaultComponents":"07:30","minuteInterval":15})";
constexpr const char* kText = R"({"_class":"ORKTextAnswerFormat","maximumLength":20})";
constexpr const char* kPostcode = R"({"_class":"ORKTextAnswerFormat",
    "validationRegularExpression":{"pattern":"^[0-9]{5}$","options":[]},
    "invalidMessage":"Enter the five digits of your postcode."})";
constexpr const char* kLocation = R"({"_class":"ORKLocationAnswerFormat"})";
constexpr const char* kPickers = R"({"_class":"ORKMultipleValuePickerAnswerFormat","valuePickers":[
    {"_class":"ORKValuePickerAnswerFormat","textChoices":[
        {"_class":"ORKTextChoice","text":"1","value":1},{"_class":"ORKTextChoice","text":"2","value":2}]},
    {"_class":"ORKValuePickerAnswerFormat","textChoices":[
        {"_class":"ORKTextChoice","text":"kg","value":"kg"},{"_class":"ORKTextChoice","text":"lb","value":"lb"}]}]})";

// --- Reading answers files -----------------------------------------------------------------------

struct ReadCase {
    const char* name;
    const char* format;
    const char* answer;
    std::expected<Value, QString> expected;
};

void PrintTo(const ReadCase& readCase, std::ostream* os) { *os << readCase.name; }

class QuestionAnswersReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(QuestionAnswersReadTest, GivesTheAnswerOrNamesTheShapeItNeeds) {
    const auto answerFormat = format(GetParam().format);
    ASSERT_TRUE(answerFormat);

    const std::expected<Value, QString> answer =
        QuestionAnswers::fromJson(*answerFormat, json(GetParam().answer), u"q"_s);

    if (GetParam().expected) {
        ASSERT_TRUE(answer) << answer.error().toStdString();
        EXPECT_EQ(*answer, *GetParam().expected);
    } else {
        ASSERT_FALSE(answer);
        EXPECT_EQ(answer.error(), GetParam().expected.error());
    }
}

std::unexpected<QString> misfit(const QString& shape) {
    return std::unexpected(u"The answer for 'q' must be %1."_s.arg(shape));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, QuestionAnswersReadTest,
    testing::Values(
        ReadCase{"Boolean", kBoolean, "true", Value(true)},
        ReadCase{"BooleanAsText", kBoolean, R"("yes")", misfit(u"true or false"_s)},
        ReadCase{"OneChoice", kSingleChoice, R"("warehouse")", Value(Value::Array{u"warehouse"_s})},
        ReadCase{"SeveralChoices", kMultipleChoice, R"(["stairs","lift"])",
                 Value(Value::Array{u"stairs"_s, u"lift"_s})},
        ReadCase{"Integer", kIntegerOneToTen, "3", Value(qint64(3))},
        ReadCase{"Fraction", kIntegerOneToTen, "2.5", Value(2.5)},
        ReadCase{"NumberAsText", kIntegerOneToTen, R"("3")", misfit(u"a number"_s)},
        ReadCase{"ScaleValue", kScaleInTwos, "4", Value(qint64(4))},
        ReadCase{"DateOnly", kDate, R"("2026-12-10")", Value(localDate(2026, 12, 10))},
        ReadCase{"DateTime", kDate, R"("2026-12-10T09:30:00Z")",
                 Value(QDateTime(QDate(2026, 12, 10), QTime(9, 30), Qt::UTC))},
        ReadCase{"DateNotIso", kDate, R"("10/12/2026")", misfit(u"an ISO 8601 date"_s)},
        ReadCase{"TimeOfDay", kTimeOfDay, R"("07:05")", Value(DateComponents{7, 5})},
        ReadCase{"TimeOfDayOutOfRange", kTimeOfDay, R"("25:00")",
                 misfit(u"a time of day written as HH:mm"_s)},
        ReadCase{"Text", kText, R"("Ada")", Value(u"Ada"_s)},
        ReadCase{"TextAsNumber", kText, "5", misfit(u"a text"_s)},
        ReadCase{"LocationWithoutLongitude", kLocation, R"({"latitude":51.5})",
                 misfit(u"an object with a latitude and a longitude"_s)},
        ReadCase{"OnePerPicker", kPickers, R"([2,"kg"])", Value(Value::Array{2, u"kg"_s})},
        ReadCase{"TooFewPickers", kPickers, R"([2])",
                 misfit(u"a list with one value for each picker"_s)},
        ReadCase{"Height", R"({"_class":"ORKHeightAnswerFormat","measurementSystem":"metric"})",
                 "180", Value(qint64(180))},
        ReadCase{"Rung", R"({"_class":"ORKSESAnswerFormat"})", "7", Value(qint64(7))},
        ReadCase{"NullIsNoAnswer", kText, "null", Value()},
        ReadCase{
            "DontKnowOffered",
            R"({"_class":"ORKNumericAnswerFormat","style":"decimal","showDontKnowButton":true})",
            R"({"dontKnow":true})", QuestionAnswers::dontKnowAnswer()},
        ReadCase{"DontKnowNotOffered", kIntegerOneToTen, R"({"dontKnow":true})",
                 std::unexpected(u"The answer for 'q' cannot be \"I don't know\"."_s)}));

TEST(QuestionAnswersTest, ReadsALocationWithItsAddress) {
    const auto answerFormat = format(kLocation);
    ASSERT_TRUE(answerFormat);
    const struct {
        const char* answer;
        PostalAddress address;
    } cases[] = {
        {R"({"latitude":51.5,"longitude":-0.12,"address":"1 Main Street"})",
         {u"1 Main Street"_s, {}}},
        {R"({"latitude":51.5,"longitude":-0.12,"address":{"street":"1 Main Street","city":"Leeds"}})",
         {u"1 Main Street"_s, u"Leeds"_s}},
    };
    for (const auto& given : cases) {
        const auto answer = QuestionAnswers::fromJson(*answerFormat, json(given.answer), u"q"_s);
        ASSERT_TRUE(answer) << given.answer;
        const auto location = answer->object<ORKLocation>();
        ASSERT_TRUE(location) << given.answer;
        EXPECT_EQ(location->coordinate, (Coordinate{51.5, -0.12}));
        EXPECT_EQ(location->postalAddress, given.address);
    }
}

// --- Validation messages -------------------------------------------------------------------------

struct ValidationCase {
    const char* name;
    const char* format;
    Value answer;
    std::optional<QString> message;
};

void PrintTo(const ValidationCase& validation, std::ostream* os) { *os << validation.name; }

class QuestionAnswersValidationTest : public testing::TestWithParam<ValidationCase> {};

TEST_P(QuestionAnswersValidationTest, ShowsTheMessageForARefusedAnswer) {
    const auto answerFormat = format(GetParam().format);
    ASSERT_TRUE(answerFormat);

    EXPECT_EQ(QuestionAnswers::validate(*answerFormat, GetParam().answer), GetParam().message);
}

std::shared_ptr<ORKObject> locationAt(double latitude, double longitude) {
    return std::make_shared<ORKLocation>(Coordinate{latitude, longitude});
}

Value::Array choices(std::initializer_list<Value> values) { return Value::Array(values); }

INSTANTIATE_TEST_SUITE_P(
    Numbers, QuestionAnswersValidationTest,
    testing::Values(
        ValidationCase{"WholeNumberInRange", kIntegerOneToTen, 5, std::nullopt},
        ValidationCase{"FractionForIntegers", kIntegerOneToTen, 2.5, u"Enter a whole number."_s},
        ValidationCase{"AboveMaximum", kIntegerOneToTen, 11, u"Enter a number from 1 to 10."_s},
        ValidationCase{"BelowOnlyMinimum",
                       R"({"_class":"ORKNumericAnswerFormat","style":"decimal","minimum":1.5})", 1,
                       u"Enter a number of at least 1.5."_s},
        ValidationCase{"AboveOnlyMaximum",
                       R"({"_class":"ORKNumericAnswerFormat","style":"decimal","maximum":100})",
                       100.5, u"Enter a number of at most 100."_s},
        ValidationCase{"TooManyFractionDigits",
                       R"({"_class":"ORKNumericAnswerFormat","style":"decimal",
                           "maximumFractionDigits":2})",
                       1.234, u"Enter at most 2 digits after the decimal point."_s},
        ValidationCase{"BooleanForNumber", kIntegerOneToTen, true,
                       u"This answer does not fit the question."_s},
        ValidationCase{"OnAScaleStep", kScaleInTwos, 4, std::nullopt},
        ValidationCase{"BetweenScaleSteps", kScaleInTwos, 3,
                       u"Choose a value from 0 to 10 in steps of 2."_s},
        ValidationCase{"AboveScale",
                       R"({"_class":"ORKScaleAnswerFormat","minimum":1,"maximum":5,"step":1})", 6,
                       u"Choose a whole number from 1 to 5."_s},
        ValidationCase{"InsideAScaleWithItsEndsSwapped",
                       R"({"_class":"ORKScaleAnswerFormat","minimum":9,"maximum":3,"step":1})", 4,
                       std::nullopt},
        ValidationCase{"OutsideAScaleWithItsEndsSwapped",
                       R"({"_class":"ORKScaleAnswerFormat","minimum":9,"maximum":3,"step":1})", 10,
                       u"Choose a whole number from 3 to 9."_s},
        ValidationCase{"AboveContinuousScale",
                       R"({"_class":"ORKContinuousScaleAnswerFormat","minimum":0,"maximum":1})",
                       1.5, u"Choose a value from 0 to 1."_s},
        ValidationCase{"NegativeDuration",
                       R"({"_class":"ORKTimeIntervalAnswerFormat","defaultInterval":0,"step":5})",
                       -60, u"Enter a duration of zero or more."_s},
        ValidationCase{"DurationBetweenSteps",
                       R"({"_class":"ORKTimeIntervalAnswerFormat","defaultInterval":0,"step":5})",
                       90, u"Choose a duration in steps of 5 minutes."_s},
        ValidationCase{"DurationOnAStep",
                       R"({"_class":"ORKTimeIntervalAnswerFormat","defaultInterval":0,"step":5})",
                       600, std::nullopt},
        ValidationCase{"RungBelowLadder", R"({"_class":"ORKSESAnswerFormat"})", 0,
                       u"Choose a rung from 1 to 10."_s},
        ValidationCase{"TopRung", R"({"_class":"ORKSESAnswerFormat"})", 10, std::nullopt},
        ValidationCase{"NoHeight",
                       R"({"_class":"ORKHeightAnswerFormat","measurementSystem":"metric"})", 0,
                       u"Enter a height above zero."_s},
        ValidationCase{"WeightOutsideRange",
                       R"({"_class":"ORKWeightAnswerFormat","measurementSystem":"metric",
                           "minimumValue":20,"maximumValue":200})",
                       250, u"Enter a weight from 20 to 200."_s},
        ValidationCase{"WeightWithoutRange",
                       R"({"_class":"ORKWeightAnswerFormat","measurementSystem":"USC"})", -1,
                       u"Enter a weight above zero."_s}));

INSTANTIATE_TEST_SUITE_P(
    Texts, QuestionAnswersValidationTest,
    testing::Values(
        ValidationCase{"TooLong", kText, u"abcdefghijklmnopqrstu"_s,
                       u"Enter at most 20 characters."_s},
        // Twenty characters outside the basic plane are forty UTF-16 units, and still twenty.
        ValidationCase{"CharactersNotUnits", kText, QString::fromUcs4(U"\U0001F600").repeated(20),
                       std::nullopt},
        ValidationCase{"NotMatchingUsesTheFormatsMessage", kPostcode, u"1234"_s,
                       u"Enter the five digits of your postcode."_s},
        ValidationCase{"Matching", kPostcode, u"12345"_s, std::nullopt},
        ValidationCase{"NotMatchingWithoutMessage",
                       R"({"_class":"ORKTextAnswerFormat","validationRegularExpression":
                           {"pattern":"^[a-z]+$","options":[]}})",
                       u"ABC"_s, u"Enter a valid answer."_s},
        ValidationCase{"CaseInsensitiveOption",
                       R"({"_class":"ORKTextAnswerFormat","validationRegularExpression":
                           {"pattern":"^[a-z]+$","options":["NSRegularExpressionCaseInsensitive"]}})",
                       u"ABC"_s, std::nullopt},
        ValidationCase{"EmailWithoutDomain", R"({"_class":"ORKEmailAnswerFormat"})",
                       u"ada@example"_s, u"Enter a valid email address."_s},
        ValidationCase{"Email", R"({"_class":"ORKEmailAnswerFormat"})", u"ada@example.org"_s,
                       std::nullopt},
        ValidationCase{"UserName", R"({"_class":"ORKEmailAnswerFormat","usernameField":true})",
                       u"ada"_s, std::nullopt},
        ValidationCase{"NumberForText", kText, 5, u"This answer does not fit the question."_s}));

INSTANTIATE_TEST_SUITE_P(
    Choices, QuestionAnswersValidationTest,
    testing::Values(
        ValidationCase{"Listed", kSingleChoice, choices({u"office"_s}), std::nullopt},
        ValidationCase{"NumberOfAnotherKind", kSingleChoice, choices({2.0}), std::nullopt},
        ValidationCase{"NotListed", kSingleChoice, choices({u"garage"_s}),
                       u"Choose one of the listed answers."_s},
        ValidationCase{"TwoOfSingle", kSingleChoice, choices({u"office"_s, u"warehouse"_s}),
                       u"Choose only one answer."_s},
        ValidationCase{"TwoOfMultiple", kMultipleChoice, choices({u"stairs"_s, u"lift"_s}),
                       std::nullopt},
        ValidationCase{"ExclusiveWithOthers", kMultipleChoice, choices({u"none"_s, u"lift"_s}),
                       u"'None' cannot be chosen together with other answers."_s},
        ValidationCase{"OwnWordsForOther", kMultipleChoice,
                       choices({u"stairs"_s, u"a ramp at the back"_s}), std::nullopt},
        ValidationCase{"OtherWithoutOwnWords", kMultipleChoice, choices({u"other"_s}),
                       u"Enter your own answer."_s},
        ValidationCase{"TwoOfTextScale", R"({"_class":"ORKTextScaleAnswerFormat","textChoices":[
                           {"_class":"ORKTextChoice","text":"Low","value":"low"},
                           {"_class":"ORKTextChoice","text":"High","value":"high"}]})",
                       choices({u"low"_s, u"high"_s}), u"Choose only one answer."_s},
        ValidationCase{"ImageNotListed", R"({"_class":"ORKImageChoiceAnswerFormat",
                           "style":"multipleChoice","imageChoices":[
                           {"_class":"ORKImageChoice","text":"Sun","value":"sun"}]})",
                       choices({u"moon"_s}), u"Choose one of the listed answers."_s},
        ValidationCase{"OneValuePerWheel", kPickers, choices({1, u"lb"_s}), std::nullopt},
        ValidationCase{"MissingWheel", kPickers, choices({1}),
                       u"Choose one value on each wheel."_s},
        ValidationCase{"NotOnTheWheel", kPickers, choices({3, u"lb"_s}),
                       u"Choose one of the listed answers."_s},
        ValidationCase{"TextForBoolean", kBoolean, u"yes"_s,
                       u"This answer does not fit the question."_s}));

INSTANTIATE_TEST_SUITE_P(
    DatesAndPlaces, QuestionAnswersValidationTest,
    testing::Values(
        ValidationCase{"AfterMaximum", kDate, QDateTime(QDate(2027, 1, 1), QTime(0, 0), Qt::UTC),
                       u"Choose a date from 2026-01-01 to 2026-12-31."_s},
        // The minimum falls at noon; the first day is a day of the range all the same.
        ValidationCase{"MinimumsDay", kDate, QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC),
                       std::nullopt},
        ValidationCase{"BeforeOnlyMinimum",
                       R"({"_class":"ORKDateAnswerFormat","style":"dateTime",
                           "minimumDate":"2026-01-01T12:00:00+0000"})",
                       QDateTime(QDate(2026, 1, 1), QTime(11, 0), Qt::UTC),
                       u"Choose a date on or after 2026-01-01T12:00:00Z."_s},
        ValidationCase{"TimeBetweenSteps", kTimeOfDay, DateComponents{7, 5},
                       u"Choose a time in steps of 15 minutes."_s},
        ValidationCase{"TimeOnAStep", kTimeOfDay, DateComponents{7, 45}, std::nullopt},
        ValidationCase{"LatitudeOffTheGlobe", kLocation, locationAt(95, 0),
                       u"Enter a latitude from -90 to 90 and a longitude from -180 to 180."_s},
        ValidationCase{"Location", kLocation, locationAt(51.5, -0.12), std::nullopt},
        ValidationCase{"DontKnowNotOffered", kIntegerOneToTen, QuestionAnswers::dontKnowAnswer(),
                       u"This question has no \"I don't know\" answer."_s},
        ValidationCase{"DontKnowOffered",
                       R"({"_class":"ORKBooleanAnswerFormat","showDontKnowButton":true})",
                       QuestionAnswers::dontKnowAnswer(), std::nullopt},
        ValidationCase{"NoAnswerIsNoMistake", kIntegerOneToTen, Value(), std::nullopt}));

TEST(QuestionAnswersTest, ConfirmationMustRepeatTheOriginal) {
    const auto withMessage = decoded<ORKConfirmTextAnswerFormat>(
        R"({"_class":"ORKConfirmTextAnswerFormat","originalItemIdentifier":"password",
            "errorMessage":"The passwords differ."})");
    const auto withoutMessage = decoded<ORKConfirmTextAnswerFormat>(
        R"({"_class":"ORKConfirmTextAnswerFormat","originalItemIdentifier":"password"})");
    ASSERT_TRUE(withMessage && withoutMessage);

    EXPECT_EQ(AnswerValidator::validateConfirmation(*withMessage, u"s3cret"_s, u"s3cret"_s),
              std::nullopt);
    EXPECT_EQ(AnswerValidator::validateConfirmation(*withMessage, u"s3cret"_s, u"secret"_s),
              u"The passwords differ."_s);
    EXPECT_EQ(AnswerValidator::validateConfirmation(*withoutMessage, u"s3cret"_s, Value()),
              u"The answers do not match."_s);
}

// --- Results and defaults ------------------------------------------------------------------------

struct ResultCase {
    const char* name;
    const char* format;
    Value answer;
    std::type_index resultClass;
    Value recorded;
};

void PrintTo(const ResultCase& resultCase, std::ostream* os) { *os << resultCase.name; }

class QuestionAnswersResultTest : public testing::TestWithParam<ResultCase> {};

TEST_P(QuestionAnswersResultTest, RecordsTheFormatsResultClass) {
    const auto answerFormat = format(GetParam().format);
    ASSERT_TRUE(answerFormat);

    const auto result = QuestionAnswers::result(u"q"_s, *answerFormat, GetParam().answer);

    ASSERT_TRUE(result);
    EXPECT_EQ(std::type_index(typeid(*result)), GetParam().resultClass);
    EXPECT_EQ(result->identifier, u"q"_s);
    EXPECT_EQ(result->answer, GetParam().recorded);
}

template <typename T>
std::type_index classOf() {
    return std::type_index(typeid(T));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, QuestionAnswersResultTest,
    testing::Values(
        ResultCase{"Boolean", kBoolean, true, classOf<ORKBooleanQuestionResult>(), true},
        ResultCase{"SingleChoiceValue", kSingleChoice, u"office"_s,
                   classOf<ORKChoiceQuestionResult>(), choices({u"office"_s})},
        ResultCase{"ValuePicker", R"({"_class":"ORKValuePickerAnswerFormat","textChoices":[]})",
                   choices({1}), classOf<ORKChoiceQuestionResult>(), choices({1})},
        ResultCase{"MultipleValuePicker", kPickers, choices({1, u"kg"_s}),
                   classOf<ORKMultipleComponentQuestionResult>(), choices({1, u"kg"_s})},
        ResultCase{"Numeric", kIntegerOneToTen, 3, classOf<ORKNumericQuestionResult>(), 3},
        ResultCase{"Weight", R"({"_class":"ORKWeightAnswerFormat","measurementSystem":"metric"})",
                   72.5, classOf<ORKNumericQuestionResult>(), 72.5},
        ResultCase{"Currency", R"({"_class":"ORKCurrencyAnswerFormat","currencyCode":"EUR"})", 9.99,
                   classOf<ORKNumericQuestionResult>(), 9.99},
        ResultCase{"Scale", kScaleInTwos, 4, classOf<ORKScaleQuestionResult>(), 4},
        ResultCase{"Date", kDate, localDate(2026, 12, 10), classOf<ORKDateQuestionResult>(),
                   localDate(2026, 12, 10)},
        ResultCase{"TimeOfDay", kTimeOfDay, DateComponents{7, 45},
                   classOf<ORKTimeOfDayQuestionResult>(), DateComponents{7, 45}},
        ResultCase{"TimeInterval",
                   R"({"_class":"ORKTimeIntervalAnswerFormat","defaultInterval":0,"step":1})", 600,
                   classOf<ORKTimeIntervalQuestionResult>(), 600},
        ResultCase{"Email", R"({"_class":"ORKEmailAnswerFormat"})", u"ada@example.org"_s,
                   classOf<ORKTextQuestionResult>(), u"ada@example.org"_s},
        ResultCase{"Rung", R"({"_class":"ORKSESAnswerFormat"})", 7, classOf<ORKSESQuestionResult>(),
                   7},
        ResultCase{
            "DontKnow",
            R"({"_class":"ORKNumericAnswerFormat","style":"decimal","showDontKnowButton":true})",
            QuestionAnswers::dontKnowAnswer(), classOf<ORKNumericQuestionResult>(),
            QuestionAnswers::dontKnowAnswer()},
        ResultCase{"PlainFormat", R"({"_class":"ORKAnswerFormat"})", u"anything"_s,
                   classOf<ORKQuestionResult>(), u"anything"_s}));

TEST(QuestionAnswersTest, RecordedAnswersReadInTheSessionAsTheirQuestionsDo) {
    const auto boolean = QuestionAnswers::result(u"ok"_s, *format(kBoolean), true);
    const auto location =
        QuestionAnswers::result(u"site"_s, *format(kLocation), locationAt(51.5, -0.12));

    EXPECT_EQ(QuestionResultProvider(boolean).fetchValue(u"answer"_s), Value(u"true"_s));
    ASSERT_TRUE(dynamic_cast<ORKLocationQuestionResult*>(location.get()));
    EXPECT_EQ(QuestionResultProvider(location).jsonRepresentation(),
              "{\"answer\": {\"latitude\": 51.5, \"longitude\": -0.12}}"_ba);
}

TEST(QuestionAnswersTest, StartsWithTheFormatsDefault) {
    const struct {
        const char* format;
        std::optional<Value> answer;
    } cases[] = {
        {R"({"_class":"ORKTextAnswerFormat","defaultTextAnswer":"n/a"})", Value(u"n/a"_s)},
        {R"({"_class":"ORKNumericAnswerFormat","style":"decimal","defaultNumericAnswer":2.5})",
         Value(2.5)},
        {kScaleInTwos, Value(qint64(4))},
        {R"({"_class":"ORKScaleAnswerFormat","minimum":0,"maximum":10,"step":1})", std::nullopt},
        {R"({"_class":"ORKContinuousScaleAnswerFormat","minimum":0,"maximum":1,
            "defaultValue":0.5})",
         Value(0.5)},
        {R"({"_class":"ORKContinuousScaleAnswerFormat","minimum":0,"maximum":1})", std::nullopt},
        {R"({"_class":"ORKTextScaleAnswerFormat","defaultIndex":1,"textChoices":[
            {"_class":"ORKTextChoice","text":"Low","value":"low"},
            {"_class":"ORKTextChoice","text":"High","value":"high"}]})",
         Value(choices({u"high"_s}))},
        {R"({"_class":"ORKDateAnswerFormat","style":"date",
            "defaultDate":"2026-12-10T00:00:00+0000"})",
         Value(QDateTime(QDate(2026, 12, 10), QTime(0, 0), Qt::UTC))},
        {kTimeOfDay, Value(DateComponents{7, 30})},
        {R"({"_class":"ORKTimeIntervalAnswerFormat","defaultInterval":300,"step":1})",
         Value(300.0)},
        {R"({"_class":"ORKTimeIntervalAnswerFormat","step":1})", std::nullopt},
        {R"({"_class":"ORKWeightAnswerFormat","measurementSystem":"metric","minimumValue":20,
            "maximumValue":200,"defaultValue":70})",
         Value(70.0)},
        {kBoolean, std::nullopt},
        {kSingleChoice, std::nullopt},
    };
    for (const auto& given : cases) {
        const auto answerFormat = format(given.format);
        ASSERT_TRUE(answerFormat);
        EXPECT_EQ(QuestionAnswers::defaultAnswer(*answerFormat), given.answer) << given.format;
    }
}

// --- Steps ---------------------------------------------------------------------------------------

constexpr const char* kDetailsForm = R"({"_class":"ORKFormStep","identifier":"details","formItems":[
    {"_class":"ORKFormItem","identifier":"site","text":"Site details"},
    {"_class":"ORKFormItem","identifier":"floors","text":"Floors",
     "answerFormat":{"_class":"ORKNumericAnswerFormat","style":"integer","minimum":1}},
    {"_class":"ORKFormItem","identifier":"inspected_on","text":"Inspected on",
     "answerFormat":{"_class":"ORKDateAnswerFormat","style":"date"}},
    {"_class":"ORKFormItem","identifier":"notes","text":"Notes","optional":true,
     "answerFormat":{"_class":"ORKTextAnswerFormat"}}]})";

QStringList identifiers(const QuestionAnswers::Results& results) {
    QStringList names;
    for (const auto& result : results) {
        names.append(result->identifier);
    }
    return names;
}

TEST(QuestionAnswersTest, FormAnswersBecomeOneResultPerAnsweredItem) {
    const auto form = decoded<ORKFormStep>(kDetailsForm);
    ASSERT_TRUE(form);

    const auto results = QuestionAnswers::results(
        *form, json(R"({"floors":3,"inspected_on":"2026-12-10","notes":"Fire exits clear"})"));

    ASSERT_TRUE(results) << results.error().description().toStdString();
    ASSERT_EQ(identifiers(*results), (QStringList{u"floors"_s, u"inspected_on"_s, u"notes"_s}));
    EXPECT_TRUE(dynamic_cast<ORKNumericQuestionResult*>(results->at(0).get()));
    EXPECT_TRUE(dynamic_cast<ORKDateQuestionResult*>(results->at(1).get()));
    EXPECT_TRUE(dynamic_cast<ORKTextQuestionResult*>(results->at(2).get()));
    EXPECT_EQ(std::static_pointer_cast<ORKQuestionResult>(results->at(0))->answer,
              Value(qint64(3)));

    const auto withoutNotes =
        QuestionAnswers::results(*form, json(R"({"floors":3,"inspected_on":"2026-12-10"})"));
    ASSERT_TRUE(withoutNotes);
    EXPECT_EQ(identifiers(*withoutNotes), (QStringList{u"floors"_s, u"inspected_on"_s}))
        << "an optional item left out records nothing";
}

TEST(QuestionAnswersTest, RefusedStepAnswersSayWhichAnswerAndWhy) {
    const auto form = decoded<ORKFormStep>(kDetailsForm);
    const auto accessible = decoded<ORKQuestionStep>(
        R"({"_class":"ORKQuestionStep","identifier":"accessible",
            "answerFormat":{"_class":"ORKBooleanAnswerFormat"}})");
    const auto account = decoded<ORKFormStep>(R"({"_class":"ORKFormStep","identifier":"account",
        "formItems":[
          {"_class":"ORKFormItem","identifier":"confirm","text":"Again",
           "answerFormat":{"_class":"ORKConfirmTextAnswerFormat",
                           "originalItemIdentifier":"password",
                           "errorMessage":"The passwords differ."}},
          {"_class":"ORKFormItem","identifier":"password","text":"Password",
           "answerFormat":{"_class":"ORKTextAnswerFormat"}}]})");
    ASSERT_TRUE(form && accessible && account);
    const struct {
        const ORKStep& step;
        const char* answer;
        AnswerError::Case errorCase;
        QString description;
    } cases[] = {
        {*accessible, R"("yes")", AnswerError::Case::wrongShape,
         u"The answer for 'accessible' must be true or false."_s},
        {*accessible, "null", AnswerError::Case::missing,
         u"The step 'accessible' needs an answer."_s},
        {*form, R"({"floors":0,"inspected_on":"2026-12-10"})", AnswerError::Case::invalid,
         u"Enter a number of at least 1."_s},
        {*form, R"({"inspected_on":"2026-12-10"})", AnswerError::Case::missing,
         u"The step 'floors' needs an answer."_s},
        {*form, R"({"floors":"","inspected_on":"2026-12-10"})", AnswerError::Case::wrongShape,
         u"The answer for 'floors' must be a number."_s},
        {*form, R"({"floors":2,"flors":3,"inspected_on":"2026-12-10"})",
         AnswerError::Case::wrongShape, u"The form 'details' has no item 'flors'."_s},
        {*form, R"([3])", AnswerError::Case::wrongShape,
         u"The answer for 'details' must be an object of form item answers."_s},
        {*account, R"({"confirm":"s3cret","password":"secret"})", AnswerError::Case::invalid,
         u"The passwords differ."_s},
    };
    for (const auto& given : cases) {
        const auto results = QuestionAnswers::results(given.step, json(given.answer));
        ASSERT_FALSE(results) << given.answer;
        EXPECT_EQ(results.error().errorCase(), given.errorCase) << given.answer;
        const Error error = results.error();
        EXPECT_EQ(error.domain(), u"pathloom.answer"_s);
        EXPECT_EQ(error.localizedDescription(), given.description);
    }
}

TEST(QuestionAnswersTest, OnlyWhatIsNotOptionalIsRequired) {
    const auto required = decoded<ORKQuestionStep>(
        R"({"_class":"ORKQuestionStep","identifier":"q",
            "answerFormat":{"_class":"ORKBooleanAnswerFormat"}})");
    const auto optional = decoded<ORKQuestionStep>(
        R"({"_class":"ORKQuestionStep","identifier":"q","optional":true,
            "answerFormat":{"_class":"ORKBooleanAnswerFormat"}})");
    const auto form = decoded<ORKFormStep>(kDetailsForm);
    ASSERT_TRUE(required && optional && form);

    EXPECT_TRUE(QuestionAnswers::isRequired(*required));
    EXPECT_FALSE(QuestionAnswers::isRequired(*optional));
    EXPECT_FALSE(QuestionAnswers::isRequired(*form->formItems[0])) << "a section header";
    EXPECT_TRUE(QuestionAnswers::isRequired(*form->formItems[1]));
    EXPECT_FALSE(QuestionAnswers::isRequired(*form->formItems[3]));

    const auto optionalText = decoded<ORKQuestionStep>(
        R"({"_class":"ORKQuestionStep","identifier":"t","optional":true,
            "answerFormat":{"_class":"ORKTextAnswerFormat"}})");
    const auto optionalChoice = decoded<ORKQuestionStep>(
        R"({"_class":"ORKQuestionStep","identifier":"c","optional":true,"answerFormat":)" +
        QByteArray(kMultipleChoice) + "}");
    ASSERT_TRUE(optionalText && optionalChoice);
    const struct {
        const ORKStep& step;
        const char* skipped;
    } skips[] = {{*optional, "null"}, {*optionalText, R"("")"}, {*optionalChoice, "[]"}};
    for (const auto& skip : skips) {
        const auto results = QuestionAnswers::results(skip.step, json(skip.skipped));
        ASSERT_TRUE(results) << skip.skipped;
        EXPECT_TRUE(results->isEmpty()) << skip.skipped;
    }
    const auto instruction =
        decoded<ORKStep>(R"({"_class":"ORKInstructionStep","identifier":"hello"})");
    ASSERT_TRUE(instruction);
    const auto none = QuestionAnswers::results(*instruction, json(R"("anything")"));
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->isEmpty());
}

}  // namespace
}  // namespace pathloom
