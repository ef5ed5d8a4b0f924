#include "taskmodel/ORKPredicateStepNavigationRule.h"

#include <algorithm>

namespace pathloom {

ORKPredicateStepNavigationRule::ORKPredicateStepNavigationRule(
    QList<Predicate> resultPredicates, QStringList destinationStepIdentifiers,
    std::optional<QString> defaultStepIdentifier)
    : resultPredicates(std::move(resultPredicates)),
      destinationStepIdentifiers(std::move(destinationStepIdentifiers)),
      defaultStepIdentifier(std::move(defaultStepIdentifier)) {}

std::optional<QString> ORKPredicateStepNavigationRule::identifierForDestinationStepWithTaskResult(
    const ORKTaskResult& taskResult) const {
    const qsizetype pairs = std::min(resultPredicates.size(), destinationStepIdentifiers.size());
    for (qsizetype index = 0; index < pairs; ++index) {
        if (resultPredicates[index] && resultPredicates[index](taskResult)) {
            return destinationStepIdentifiers[index];
        }
    }
    return defaultStepIdentifier;
}

}  // namespace pathloom
