#include "run/SecondaryWorkflows.h"

#include "QtPrinting.h"
#include "Workflows.h"

#include <gtest/gtest.h>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::workflow;

// "2 Two", "5": the id and the name of each workflow, in order.
QStringList labels(const QList<Workflow>& workflows) {
    QStringList result;
    for (const Workflow& each : workflows) {
        result.append(QString::number(each.id) + (each.name ? u' ' + *each.name : QString()));
    }
    return result;
}

TEST(SecondaryWorkflowsTest, CandidatesKeepTheOrderOfTheWorkflowsNotOfTheIds) {
    const QList<Workflow> twoThenFive{workflow(2, u"Two"_s), workflow(5, u"Five"_s)};
    const QList<Workflow> sharedId{workflow(2, u"Two"_s), workflow(5, u"Five"_s),
                                   workflow(2, std::nullopt)};
    struct Case {
        const char* name;
        const QList<Workflow>& all;
        QList<qint64> ids;
        QStringList expected;
    };
    const Case cases[] = {
        {"ids in another order", twoThenFive, {5, 2}, {u"2 Two"_s, u"5 Five"_s}},
        {"ids without a workflow are ignored", twoThenFive, {42, 5}, {u"5 Five"_s}},
        {"no id matches", twoThenFive, {42}, {}},
        {"no ids", twoThenFive, {}, {}},
        {"workflows sharing an id each count", sharedId, {2}, {u"2 Two"_s, u"2"_s}},
        {"a repeated id adds nothing", twoThenFive, {5, 5}, {u"5 Five"_s}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(labels(SecondaryWorkflows::candidates(row.all, row.ids)), row.expected);
    }
}

TEST(SecondaryWorkflowsTest, AWorkflowIsNamedExactlyAndTheFirstOfTheNameWins) {
    const QList<Workflow> all{workflow(1, std::nullopt), workflow(2, u""_s),
                              workflow(3, u"Follow-up"_s), workflow(4, u"Follow-up"_s)};
    const QList<Workflow> unnamed{workflow(1, std::nullopt)};
    struct Case {
        const char* name;
        const QList<Workflow>& all;
        QString searched;
        std::optional<qint64> expected;
    };
    const Case cases[] = {
        {"exact name, first of two", all, u"Follow-up"_s, 3},
        {"letter case differs", all, u"follow-up"_s, std::nullopt},
        {"surrounding space", all, u" Follow-up"_s, std::nullopt},
        {"an empty name matches only an empty name", all, u""_s, 2},
        {"unnamed workflows never match", unnamed, u""_s, std::nullopt},
        {"unnamed workflows never match a null text", unnamed, QString(), std::nullopt},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        const std::optional<Workflow> found =
            SecondaryWorkflows::workflowNamed(row.all, row.searched);
        EXPECT_EQ(found ? std::optional(found->id) : std::nullopt, row.expected);
    }
}

}  // namespace
}  // namespace pathloom
