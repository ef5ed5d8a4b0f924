#pragma once

#include "documents/NavigationDestinationRule.h"
#include "taskmodel/ORKStepNavigationRule.h"
#include "taskmodel/Value.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace pathloom {

class Session;

// The navigation rule of a workflow document: after its trigger step, leads to the first
// destination whose expected value equals what the session holds under the destination's key
// path. It answers from the shared session (held strongly), never from the task result.
class ResultEqualityStepNavigationRule : public ORKStepNavigationRule {
public:
    // A rule without a session, such as one restored from storage, answers nothing.
    ResultEqualityStepNavigationRule(std::shared_ptr<Session> session,
                                     QList<NavigationDestinationRule> navigationDestinationRules);

    // The destination of the matching rule; nothing without a session or a match.
    [[nodiscard]] std::optional<QString> identifierForDestinationStepWithTaskResult(
        const ORKTaskResult& taskResult) const override;

    // The first destination rule that applies, in list order. A rule without key path applies
    // only when it has neither value nor operand; a rule with a key path only when it also has a
    // value, the operand isEqual, and the session holds a value there that matches.
    [[nodiscard]] std::optional<NavigationDestinationRule> matchingDestinationRule() const;

    // Whether `actual` equals the expected text: texts as canonically equivalent Unicode (no
    // case folding, no trimming); numbers and booleans by their text (3, 2.5, 1 for true), or by
    // their truth against "true"/"yes" and "false"/"no" in any case; lists when any element
    // matches, nested lists included. Any other value never matches.
    [[nodiscard]] static bool valueMatches(const QString& expected, const Value& actual);

    std::shared_ptr<Session> session;
    QList<NavigationDestinationRule> navigationDestinationRules;
};

}  // namespace pathloom
