#include "session/ResultEqualityStepNavigationRule.h"

#include "QtPrinting.h"
#include "session/Session.h"
#include "steps/ListStepItem.h"
#include "taskmodel/ORKBooleanQuestionResult.h"
#include "taskmodel/ORKChoiceQuestionResult.h"
#include "taskmodel/ORKDateQuestionResult.h"
#include "taskmodel/ORKNavigableOrderedTask.h"
#include "taskmodel/ORKNumericQuestionResult.h"
#include "taskmodel/ORKScaleQuestionResult.h"
#include "taskmodel/ORKStep.h"
#include "taskmodel/ORKTaskResult.h"
#include "taskmodel/ORKTextQuestionResult.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

const QString kQuestion = u"q1"_s;
const QString kAnswerPath = u"q1.answer"_s;

template <typename Result>
Value answered(Value answer) {
    auto result = std::make_shared<Result>(kQuestion);
    result->answer = std::move(answer);
    return Value::Object(std::move(result));
}

NavigationDestinationRule destinationRule(const QString& step, std::optional<QString> keyPath,
                                          std::optional<NavigationRuleOperand> operand,
                                          std::optional<QString> value) {
    return {step, std::move(keyPath), operand, std::move(value)};
}

NavigationDestinationRule to(const QString& step) {
    return destinationRule(step, std::nullopt, std::nullopt, std::nullopt);
}

NavigationDestinationRule whenEqual(const QString& step, const QString& keyPath,
                                    const QString& value) {
    return destinationRule(step, keyPath, NavigationRuleOperand::isEqual, value);
}

std::optional<QString> destination(const ResultEqualityStepNavigationRule& rule) {
    return rule.identifierForDestinationStepWithTaskResult(ORKTaskResult(u"task"_s));
}

// What q1 holds, the value a rule expects of q1.answer, and where the rules
// [B when q1.answer equals the value, C otherwise] lead.
struct ComparisonCase {
    const char* name;
    Value stored;
    QString expected;
    QString destination;
};

void PrintTo(const ComparisonCase& testCase, std::ostream* os) { *os << testCase.name; }

class ResultEqualityComparison : public testing::TestWithParam<ComparisonCase> {};

TEST_P(ResultEqualityComparison, ChoosesTheDestination) {
    const ComparisonCase& testCase = GetParam();
    auto session = std::make_shared<Session>();
    session->setValueProvider(kQuestion, testCase.stored);
    const ResultEqualityStepNavigationRule rule(
        session, {whenEqual(u"B"_s, kAnswerPath, testCase.expected), to(u"C"_s)});
    EXPECT_EQ(destination(rule), testCase.destination);
}

INSTANTIATE_TEST_SUITE_P(
    , ResultEqualityComparison,
    testing::Values(
        ComparisonCase{"SameText", answered<ORKTextQuestionResult>(u"yes"_s), u"yes"_s, u"B"_s},
        ComparisonCase{"TextIsCaseSensitive", answered<ORKTextQuestionResult>(u"Yes"_s), u"yes"_s,
                       u"C"_s},
        ComparisonCase{"TextIsNotTrimmed", answered<ORKTextQuestionResult>(u"yes "_s), u"yes"_s,
                       u"C"_s},
        ComparisonCase{"ComposedAnswerDecomposedExpectation",
                       answered<ORKTextQuestionResult>(u"caf\u00e9"_s), u"cafe\u0301"_s, u"B"_s},
        ComparisonCase{"DecomposedAnswerComposedExpectation",
                       answered<ORKTextQuestionResult>(u"cafe\u0301"_s), u"caf\u00e9"_s, u"B"_s},
        ComparisonCase{"DifferentLettersStayDifferent", answered<ORKTextQuestionResult>(u"cafe"_s),
                       u"caf\u00e9"_s, u"C"_s},
        ComparisonCase{"OneIsYes", answered<ORKScaleQuestionResult>(1), u"yes"_s, u"B"_s},
        ComparisonCase{"OneIsTrueInAnyCase", answered<ORKScaleQuestionResult>(1), u"TRUE"_s,
                       u"B"_s},
        ComparisonCase{"OneIsNotNo", answered<ORKScaleQuestionResult>(1), u"no"_s, u"C"_s},
        ComparisonCase{"ZeroIsNotYes", answered<ORKScaleQuestionResult>(0), u"yes"_s, u"C"_s},
        ComparisonCase{"ZeroIsNo", answered<ORKScaleQuestionResult>(0), u"No"_s, u"B"_s},
        ComparisonCase{"ZeroIsFalse", answered<ORKScaleQuestionResult>(0), u"false"_s, u"B"_s},
        ComparisonCase{"IntegerByItsText", answered<ORKScaleQuestionResult>(3), u"3"_s, u"B"_s},
        ComparisonCase{"OtherWordIsNoTruth", answered<ORKScaleQuestionResult>(3), u"maybe"_s,
                       u"C"_s},
        ComparisonCase{"NegativeIntegerByItsText", answered<ORKNumericQuestionResult>(-7), u"-7"_s,
                       u"B"_s},
        ComparisonCase{"DecimalByItsText", answered<ORKNumericQuestionResult>(2.5), u"2.5"_s,
                       u"B"_s},
        ComparisonCase{"DecimalWithTrailingZeroDiffers", answered<ORKNumericQuestionResult>(2.5),
                       u"2.50"_s, u"C"_s},
        ComparisonCase{"WholeDoubleWithoutFraction", answered<ORKNumericQuestionResult>(3.0),
                       u"3"_s, u"B"_s},
        ComparisonCase{"BooleanQuestionTrueIsTrue", answered<ORKBooleanQuestionResult>(true),
                       u"true"_s, u"B"_s},
        ComparisonCase{"BooleanQuestionTrueIsNotYes", answered<ORKBooleanQuestionResult>(true),
                       u"yes"_s, u"C"_s},
        ComparisonCase{"BooleanQuestionFalseIsFalse", answered<ORKBooleanQuestionResult>(false),
                       u"false"_s, u"B"_s},
        // A boolean held in a map (a parameter, a server's reply) reads "true" or "false", as it
        // does in a URL, so it is not the number 1.
        ComparisonCase{"BooleanValueIsTrue", Value(Value::Dictionary{{u"answer"_s, true}}),
                       u"true"_s, u"B"_s},
        ComparisonCase{"BooleanValueIsNotOne", Value(Value::Dictionary{{u"answer"_s, true}}),
                       u"1"_s, u"C"_s},
        ComparisonCase{"BooleanValueIsYes", Value(Value::Dictionary{{u"answer"_s, true}}), u"yes"_s,
                       u"B"_s},
        ComparisonCase{"BooleanValueFalseIsNo", Value(Value::Dictionary{{u"answer"_s, false}}),
                       u"no"_s, u"B"_s},
        ComparisonCase{"ChoiceAmongAnswers",
                       answered<ORKChoiceQuestionResult>(Value::Array{u"red"_s, u"blue"_s}),
                       u"blue"_s, u"B"_s},
        ComparisonCase{"ChoiceNotAmongAnswers",
                       answered<ORKChoiceQuestionResult>(Value::Array{u"red"_s, u"blue"_s}),
                       u"green"_s, u"C"_s},
        ComparisonCase{"ChoiceInNestedList",
                       answered<ORKChoiceQuestionResult>(Value::Array{Value::Array{u"red"_s},
                                                                      Value::Array{1, u"blue"_s}}),
                       u"blue"_s, u"B"_s},
        ComparisonCase{"NumberInList", answered<ORKChoiceQuestionResult>(Value::Array{u"a"_s, 0}),
                       u"no"_s, u"B"_s},
        ComparisonCase{"EmptyListMatchesNothing", answered<ORKChoiceQuestionResult>(Value::Array{}),
                       QString(), u"C"_s},
        ComparisonCase{
            "DateNeverMatches",
            answered<ORKDateQuestionResult>(QDateTime(QDate(2021, 3, 4), QTime(5, 6, 7), Qt::UTC)),
            u"2021-03-04T05:06:07Z"_s, u"C"_s},
        ComparisonCase{
            "MapNeverMatches",
            Value(Value::Dictionary{{u"answer"_s, Value::Dictionary{{u"text"_s, u"yes"_s}}}}),
            u"yes"_s, u"C"_s},
        ComparisonCase{
            "ListEntryNeverMatches",
            Value(Value::Dictionary{
                {u"answer"_s, Value::Object(std::make_shared<ListStepItem>(1, u"yes"_s))}}),
            u"yes"_s, u"C"_s},
        ComparisonCase{"UnansweredQuestion", answered<ORKTextQuestionResult>(Value()), u"yes"_s,
                       u"C"_s}),
    [](const testing::TestParamInfo<ComparisonCase>& info) { return info.param.name; });

// Rule lists over a session where q1 was answered "yes"; `destination` is nothing when the
// rule must answer nothing.
struct RuleListCase {
    const char* name;
    QList<NavigationDestinationRule> rules;
    std::optional<QString> destination;
};

void PrintTo(const RuleListCase& testCase, std::ostream* os) { *os << testCase.name; }

class ResultEqualityRuleList : public testing::TestWithParam<RuleListCase> {};

TEST_P(ResultEqualityRuleList, FirstApplyingRuleWins) {
    auto session = std::make_shared<Session>();
    session->setValueProvider(kQuestion, answered<ORKTextQuestionResult>(u"yes"_s));
    const ResultEqualityStepNavigationRule rule(session, GetParam().rules);
    EXPECT_EQ(destination(rule), GetParam().destination);
    EXPECT_EQ(rule.matchingDestinationRule().has_value(), GetParam().destination.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    , ResultEqualityRuleList,
    testing::Values(
        RuleListCase{"UnconditionalFirstShadowsTheRest",
                     {to(u"A"_s), whenEqual(u"B"_s, kAnswerPath, u"yes"_s)},
                     u"A"_s},
        RuleListCase{"UnconditionalLastIsTheDefault",
                     {whenEqual(u"B"_s, kAnswerPath, u"no"_s), to(u"C"_s)},
                     u"C"_s},
        RuleListCase{
            "EarlierMatchBeforeLaterMatch",
            {whenEqual(u"B"_s, kAnswerPath, u"yes"_s), whenEqual(u"D"_s, kAnswerPath, u"yes"_s)},
            u"B"_s},
        RuleListCase{
            "StepNeverShownIsSkipped",
            {whenEqual(u"B"_s, u"q9.answer"_s, u"yes"_s), whenEqual(u"D"_s, kAnswerPath, u"yes"_s)},
            u"D"_s},
        RuleListCase{"NoRuleApplies", {whenEqual(u"B"_s, kAnswerPath, u"no"_s)}, std::nullopt},
        RuleListCase{
            "KeyPathWithoutValue",
            {destinationRule(u"B"_s, kAnswerPath, NavigationRuleOperand::isEqual, std::nullopt)},
            std::nullopt},
        RuleListCase{"KeyPathWithoutOperand",
                     {destinationRule(u"B"_s, kAnswerPath, std::nullopt, u"yes"_s)},
                     std::nullopt},
        RuleListCase{"ValueWithoutKeyPath",
                     {destinationRule(u"B"_s, std::nullopt, std::nullopt, u"yes"_s), to(u"C"_s)},
                     u"C"_s},
        RuleListCase{
            "OperandWithoutKeyPath",
            {destinationRule(u"B"_s, std::nullopt, NavigationRuleOperand::isEqual, std::nullopt)},
            std::nullopt},
        RuleListCase{"EmptyRuleList", {}, std::nullopt}),
    [](const testing::TestParamInfo<RuleListCase>& info) { return info.param.name; });

TEST(ResultEqualityStepNavigationRule, AnswersFromTheSessionAsItIsNow) {
    auto session = std::make_shared<Session>();
    const ResultEqualityStepNavigationRule rule(session, {whenEqual(u"B"_s, kAnswerPath, u"yes"_s),
                                                          whenEqual(u"C"_s, kAnswerPath, u"no"_s)});
    EXPECT_EQ(destination(rule), std::nullopt);

    session->setValueProvider(kQuestion, answered<ORKTextQuestionResult>(u"no"_s));
    EXPECT_EQ(destination(rule), u"C"_s);

    session->setValueProvider(kQuestion, answered<ORKTextQuestionResult>(u"yes"_s));
    EXPECT_EQ(destination(rule), u"B"_s);

    session->removeAllValueProviders();
    EXPECT_EQ(destination(rule), std::nullopt);
}

TEST(ResultEqualityStepNavigationRule, WithoutSessionAnswersNothing) {
    EXPECT_EQ(destination(ResultEqualityStepNavigationRule(nullptr, {})), std::nullopt);
    // Even a rule that would apply unconditionally needs the session.
    EXPECT_EQ(destination(ResultEqualityStepNavigationRule(nullptr, {to(u"C"_s)})), std::nullopt);
}

TEST(ResultEqualityStepNavigationRule, LeadsANavigableTaskToTheChosenStep) {
    auto session = std::make_shared<Session>();
    ORKNavigableOrderedTask task(
        u"survey"_s, {std::make_shared<ORKStep>(kQuestion), std::make_shared<ORKStep>(u"next"_s),
                      std::make_shared<ORKStep>(u"B"_s), std::make_shared<ORKStep>(u"C"_s)});
    task.setNavigationRule(std::make_shared<ResultEqualityStepNavigationRule>(
                               session, QList{whenEqual(u"B"_s, kAnswerPath, u"yes"_s),
                                              whenEqual(u"C"_s, kAnswerPath, u"no"_s)}),
                           kQuestion);
    const auto stepAfterQuestion = [&] {
        const auto step = task.stepAfterStep(task.stepWithIdentifier(kQuestion).get(),
                                             ORKTaskResult(u"survey"_s));
        return step ? step->identifier : QString();
    };

    EXPECT_EQ(stepAfterQuestion(), u"next"_s);
    session->setValueProvider(kQuestion, answered<ORKTextQuestionResult>(u"yes"_s));
    EXPECT_EQ(stepAfterQuestion(), u"B"_s);
    session->setValueProvider(kQuestion, answered<ORKTextQuestionResult>(u"no"_s));
    EXPECT_EQ(stepAfterQuestion(), u"C"_s);
}

}  // namespace
}  // namespace pathloom
