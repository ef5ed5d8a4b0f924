#pragma once

#include "taskmodel/ORKStepNavigationRule.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace pathloom {

// A rule that tests the task's results with predicates, in order: the first predicate that holds
// leads to the destination at its position; when none holds, to the default step, if any.
// Predicates are code, so they have no JSON form: a decoded rule has none.
class ORKPredicateStepNavigationRule : public ORKStepNavigationRule {
public:
    using Predicate = std::function<bool(const ORKTaskResult& taskResult)>;

    // A predicate without a destination at its position (or a destination without a predicate)
    // takes no part.
    explicit ORKPredicateStepNavigationRule(QList<Predicate> resultPredicates = {},
                                            QStringList destinationStepIdentifiers = {},
                                            std::optional<QString> defaultStepIdentifier = {});

    [[nodiscard]] std::optional<QString> identifierForDestinationStepWithTaskResult(
        const ORKTaskResult& taskResult) const override;

    QList<Predicate> resultPredicates;
    QStringList destinationStepIdentifiers;
    std::optional<QString> defaultStepIdentifier;
};

}  // namespace pathloom
