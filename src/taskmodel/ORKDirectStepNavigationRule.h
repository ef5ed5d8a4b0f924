#pragma once

#include "taskmodel/ORKStepNavigationRule.h"

namespace pathloom {

// A rule that always leads to the same step.
class ORKDirectStepNavigationRule : public ORKStepNavigationRule {
public:
    explicit ORKDirectStepNavigationRule(QString destinationStepIdentifier = {})
        : destinationStepIdentifier(std::move(destinationStepIdentifier)) {}

    // The destination; nothing when the rule names none.
    [[nodiscard]] std::optional<QString> identifierForDestinationStepWithTaskResult(
        const ORKTaskResult&) const override {
        if (destinationStepIdentifier.isEmpty()) {
            return std::nullopt;
        }
        return destinationStepIdentifier;
    }

    QString destinationStepIdentifier;
};

}  // namespace pathloom
