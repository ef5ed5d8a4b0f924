#include "taskmodel/ORKNavigableOrderedTask.h"

#include "QtPrinting.h"
#include "taskmodel/ORKBooleanQuestionResult.h"
#include "taskmodel/ORKDirectStepNavigationRule.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKInstructionStep.h"
#include "taskmodel/ORKPredicateStepNavigationRule.h"
#include "taskmodel/ORKStep.h"
#include "taskmodel/ORKStepResult.h"
#include "taskmodel/ORKTaskResult.h"
#include "taskmodel/ORKTextQuestionResult.h"

#include <gtest/gtest.h>

#include <functional>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

const QString kNone = u"(none)"_s;

QString identifierOf(const std::shared_ptr<ORKStep>& step) {
    return step ? step->identifier : kNone;
}

// A rule that answers whatever its function makes of the task result it is given.
class FunctionRule : public ORKStepNavigationRule {
public:
    using Answer = std::function<std::optional<QString>(const ORKTaskResult&)>;

    explicit FunctionRule(Answer answer) : m_answer(std::move(answer)) {}
    static std::shared_ptr<FunctionRule> answering(std::optional<QString> destination) {
        return std::make_shared<FunctionRule>(
            [destination](const ORKTaskResult&) { return destination; });
    }

    std::optional<QString> identifierForDestinationStepWithTaskResult(
        const ORKTaskResult& taskResult) const override {
        return m_answer(taskResult);
    }

private:
    Answer m_answer;
};

// The task "survey" with the steps a, b, c and d, in that order.
class NavigableTask : public testing::Test {
protected:
    NavigableTask()
        : task(u"survey"_s,
               {std::make_shared<ORKInstructionStep>(u"a"_s), std::make_shared<ORKStep>(u"b"_s),
                std::make_shared<ORKStep>(u"c"_s), std::make_shared<ORKStep>(u"d"_s)}) {}

    QString after(const QString& identifier, const ORKTaskResult& result = ORKTaskResult()) const {
        return identifierOf(task.stepAfterStep(task.stepWithIdentifier(identifier).get(), result));
    }
    QString before(const QString& identifier, const ORKTaskResult& result = ORKTaskResult()) const {
        return identifierOf(task.stepBeforeStep(task.stepWithIdentifier(identifier).get(), result));
    }

    ORKNavigableOrderedTask task;
};

TEST_F(NavigableTask, WithoutRulesStepsFollowTheirOrder) {
    const ORKTaskResult noResults(u"survey"_s);
    EXPECT_EQ(identifierOf(task.stepAfterStep(nullptr, noResults)), u"a"_s);
    EXPECT_EQ(identifierOf(task.stepBeforeStep(nullptr, noResults)), kNone);
    const struct {
        QString step;
        QString after;
        QString before;
    } cases[] = {
        {u"a"_s, u"b"_s, kNone},
        {u"b"_s, u"c"_s, u"a"_s},
        {u"c"_s, u"d"_s, u"b"_s},
        {u"d"_s, kNone, u"c"_s},
    };
    for (const auto& expected : cases) {
        SCOPED_TRACE(expected.step.toStdString());
        EXPECT_EQ(after(expected.step), expected.after);
        EXPECT_EQ(before(expected.step), expected.before);
    }
}

TEST_F(NavigableTask, StepsOfNoTaskHaveNoNeighboursButAStepIsFoundByItsIdentifier) {
    const ORKTaskResult noResults(u"survey"_s);
    const ORKStep stranger(u"x"_s);
    EXPECT_EQ(task.stepAfterStep(&stranger, noResults), nullptr);
    EXPECT_EQ(task.stepBeforeStep(&stranger, noResults), nullptr);
    EXPECT_EQ(task.stepWithIdentifier(u"x"_s), nullptr);

    // A rule for "x" must not make a stranger lead into the task.
    task.setNavigationRule(FunctionRule::answering(u"a"_s), u"x"_s);
    EXPECT_EQ(task.stepAfterStep(&stranger, noResults), nullptr);

    const ORKStep lookalike(u"b"_s);
    EXPECT_EQ(identifierOf(task.stepAfterStep(&lookalike, noResults)), u"c"_s);
}

TEST(ORKOrderedTask, StepsSharingAnIdentifierEachKeepTheirPlace) {
    const auto first = std::make_shared<ORKStep>(u"a"_s);
    const auto second = std::make_shared<ORKStep>(u"a"_s);
    const auto last = std::make_shared<ORKStep>(u"b"_s);
    const ORKNavigableOrderedTask task(u"t"_s, {first, second, last});
    const ORKTaskResult noResults(u"t"_s);

    EXPECT_EQ(task.stepAfterStep(first.get(), noResults), second);
    EXPECT_EQ(task.stepAfterStep(second.get(), noResults), last);
    EXPECT_EQ(task.stepBeforeStep(second.get(), noResults), first);
}

struct RuleCase {
    const char* name;
    QString trigger;
    std::optional<QString> destination;
    QString expectedNext;
};

void PrintTo(const RuleCase& rule, std::ostream* os) { *os << rule.name; }

class NavigationRuleOutcome : public NavigableTask, public testing::WithParamInterface<RuleCase> {};

TEST_P(NavigationRuleOutcome, DecidesTheStepAfterItsTrigger) {
    const RuleCase& rule = GetParam();
    task.setNavigationRule(FunctionRule::answering(rule.destination), rule.trigger);

    EXPECT_EQ(after(rule.trigger), rule.expectedNext);
    // Other steps keep their order.
    EXPECT_EQ(after(u"b"_s), rule.trigger == u"b" ? rule.expectedNext : u"c"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, NavigationRuleOutcome,
    testing::Values(RuleCase{"SkipsAhead", u"a"_s, u"d"_s, u"d"_s},
                    RuleCase{"LeadsBack", u"c"_s, u"b"_s, u"b"_s},
                    RuleCase{"LeadsBackToItself", u"b"_s, u"b"_s, u"b"_s},
                    RuleCase{"LastStepLeadsToTheFirst", u"d"_s, u"a"_s, u"a"_s},
                    RuleCase{"NoIdentifierMeansNextInOrder", u"a"_s, std::nullopt, u"b"_s},
                    RuleCase{"UnknownStepMeansNextInOrder", u"a"_s, u"zz"_s, u"b"_s},
                    RuleCase{"NoIdentifierAfterTheLastStepEndsTheTask", u"d"_s, std::nullopt,
                             kNone}),
    [](const testing::TestParamInfo<RuleCase>& info) { return info.param.name; });

TEST_F(NavigableTask, ALaterRuleForTheSameTriggerReplacesTheEarlierOne) {
    const auto toC = std::make_shared<ORKDirectStepNavigationRule>(u"c"_s);
    const auto toD = std::make_shared<ORKDirectStepNavigationRule>(u"d"_s);
    task.setNavigationRule(toC, u"a"_s);
    task.setNavigationRule(toD, u"a"_s);

    EXPECT_EQ(task.navigationRuleForTriggerStepIdentifier(u"a"_s), toD);
    EXPECT_EQ(after(u"a"_s), u"d"_s);

    task.setNavigationRule(nullptr, u"a"_s);
    EXPECT_EQ(task.navigationRuleForTriggerStepIdentifier(u"a"_s), nullptr);
    EXPECT_EQ(after(u"a"_s), u"b"_s);
}

TEST_F(NavigableTask, TheRuleChoosesFromTheTaskResultItIsGiven) {
    // Leads to d when the question of step a was answered yes, else to c.
    task.setNavigationRule(
        std::make_shared<ORKPredicateStepNavigationRule>(
            QList<ORKPredicateStepNavigationRule::Predicate>{[](const ORKTaskResult& result) {
                const auto stepResult =
                    std::dynamic_pointer_cast<ORKStepResult>(result.results.value(0));
                const auto question = std::dynamic_pointer_cast<ORKBooleanQuestionResult>(
                    stepResult ? stepResult->results.value(0) : nullptr);
                return question && question->answer == Value(true);
            }},
            QStringList{u"d"_s}, u"c"_s),
        u"a"_s);

    const auto answered = [](Value answer) {
        auto question = std::make_shared<ORKBooleanQuestionResult>(u"q"_s);
        question->answer = std::move(answer);
        ORKTaskResult result(u"survey"_s);
        result.results = {
            std::make_shared<ORKStepResult>(u"a"_s, QList<std::shared_ptr<ORKResult>>{question})};
        return result;
    };
    EXPECT_EQ(after(u"a"_s, answered(true)), u"d"_s);
    EXPECT_EQ(after(u"a"_s, answered(false)), u"c"_s);
    EXPECT_EQ(after(u"a"_s, ORKTaskResult(u"survey"_s)), u"c"_s);
}

TEST(ORKPredicateStepNavigationRule, FirstPredicateThatHoldsWinsAndUnpairedOnesTakeNoPart) {
    const auto always = [](const ORKTaskResult&) { return true; };
    const auto never = [](const ORKTaskResult&) { return false; };
    using Predicates = QList<ORKPredicateStepNavigationRule::Predicate>;
    const struct {
        const char* name;
        ORKPredicateStepNavigationRule rule;
        std::optional<QString> expected;
    } cases[] = {
        {"first that holds",
         ORKPredicateStepNavigationRule(Predicates{never, always, always},
                                        {u"b"_s, u"c"_s, u"d"_s}),
         u"c"_s},
        {"none holds: default", ORKPredicateStepNavigationRule(Predicates{never}, {u"b"_s}, u"z"_s),
         u"z"_s},
        {"none holds, no default", ORKPredicateStepNavigationRule(Predicates{never}, {u"b"_s}),
         std::nullopt},
        {"predicate without destination",
         ORKPredicateStepNavigationRule(Predicates{never, always}, {u"b"_s}, u"z"_s), u"z"_s},
        {"empty predicate",
         ORKPredicateStepNavigationRule(Predicates{ORKPredicateStepNavigationRule::Predicate()},
                                        {u"b"_s}, u"z"_s),
         u"z"_s},
    };
    const ORKTaskResult result(u"t"_s);
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(test.rule.identifierForDestinationStepWithTaskResult(result), test.expected);
    }
}

struct BackCase {
    const char* name;
    QStringList visited;
    QString from;
    QString expected;
};

void PrintTo(const BackCase& path, std::ostream* os) { *os << path.name; }

class StepBeforeOnAPath : public NavigableTask, public testing::WithParamInterface<BackCase> {};

TEST_P(StepBeforeOnAPath, RetracesTheVisitedSteps) {
    ORKTaskResult result(u"survey"_s);
    for (const QString& identifier : GetParam().visited) {
        result.results.append(std::make_shared<ORKStepResult>(identifier));
    }
    EXPECT_EQ(before(GetParam().from, result), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, StepBeforeOnAPath,
    testing::Values(
        BackCase{"SkippedStepsAreNotVisitedOnTheWayBack", {u"a"_s, u"d"_s}, u"d"_s, u"a"_s},
        BackCase{"FullPath", {u"a"_s, u"b"_s, u"c"_s, u"d"_s}, u"d"_s, u"c"_s},
        BackCase{"FirstVisitedStep", {u"a"_s, u"d"_s}, u"a"_s, kNone},
        BackCase{"LastVisitCountsAfterALoop", {u"a"_s, u"d"_s, u"b"_s, u"d"_s}, u"d"_s, u"b"_s},
        BackCase{"ResultsOfNoStepAreSkipped", {u"a"_s, u"other"_s, u"d"_s}, u"d"_s, u"a"_s},
        BackCase{"NoResultOfTheStepMeansOrder", {u"a"_s}, u"d"_s, u"c"_s},
        BackCase{"NoResultsMeansOrder", {}, u"d"_s, u"c"_s}),
    [](const testing::TestParamInfo<BackCase>& info) { return info.param.name; });

TEST(ORKResult, ANewResultStartsAndEndsNow) {
    const QDateTime before = QDateTime::currentDateTimeUtc();
    const ORKResult result(u"r"_s);
    const QDateTime after = QDateTime::currentDateTimeUtc();

    ASSERT_TRUE(result.startDate && result.endDate);
    EXPECT_EQ(*result.startDate, *result.endDate);
    EXPECT_LE(before, *result.startDate);
    EXPECT_GE(after, *result.startDate);
}

TEST(ORKResult, CopyingAStepResultCopiesItsChildrenDeeply) {
    auto question = std::make_shared<ORKTextQuestionResult>(u"q1"_s);
    question->answer = u"yes"_s;
    auto file = std::make_shared<ORKFileResult>(u"photo"_s);
    file->fileURL = QUrl(u"file:///tmp/photo.jpg"_s);
    file->contentType = u"image/jpeg"_s;
    auto original = std::make_shared<ORKStepResult>(
        u"form"_s, QList<std::shared_ptr<ORKResult>>{question, file});
    original->startDate = QDateTime(QDate(2021, 3, 4), QTime(5, 6, 7), Qt::UTC);
    ORKTaskResult task(u"survey"_s);
    task.results = {original};

    const std::shared_ptr<ORKResult> copiedTask = task.copy();
    ASSERT_TRUE(std::dynamic_pointer_cast<ORKTaskResult>(copiedTask));
    const auto copy = std::dynamic_pointer_cast<ORKStepResult>(
        std::static_pointer_cast<ORKTaskResult>(copiedTask)->results.value(0));
    ASSERT_TRUE(copy);
    ASSERT_NE(copy, original);
    EXPECT_EQ(copy->identifier, u"form"_s);
    EXPECT_EQ(copy->startDate, original->startDate);
    EXPECT_EQ(copy->endDate, original->endDate);
    ASSERT_EQ(copy->results.size(), 2);
    const auto copiedQuestion = std::dynamic_pointer_cast<ORKTextQuestionResult>(copy->results[0]);
    const auto copiedFile = std::dynamic_pointer_cast<ORKFileResult>(copy->results[1]);
    ASSERT_TRUE(copiedQuestion && copiedFile);
    EXPECT_NE(copiedQuestion, question);
    EXPECT_EQ(copiedQuestion->answer, Value(u"yes"_s));
    EXPECT_EQ(copiedFile->fileURL, file->fileURL);
    EXPECT_EQ(copiedFile->contentType, file->contentType);

    copiedQuestion->answer = u"no"_s;
    copy->identifier = u"changed"_s;
    copy->results.append(std::make_shared<ORKResult>(u"extra"_s));
    EXPECT_EQ(question->answer, Value(u"yes"_s));
    EXPECT_EQ(original->identifier, u"form"_s);
    EXPECT_EQ(original->results.size(), 2);
    EXPECT_EQ(task.results.value(0), original);
}

TEST(ORKResult, AssigningACollectionCopiesTheChildrenToo) {
    auto question = std::make_shared<ORKTextQuestionResult>(u"q1"_s);
    question->answer = u"yes"_s;
    const ORKStepResult original(u"s"_s, {question});
    ORKStepResult assigned;
    assigned = original;

    ASSERT_EQ(assigned.results.size(), 1);
    EXPECT_NE(assigned.results[0], question);
    std::static_pointer_cast<ORKTextQuestionResult>(assigned.results[0])->answer = u"no"_s;
    EXPECT_EQ(question->answer, Value(u"yes"_s));
}

}  // namespace
}  // namespace pathloom
