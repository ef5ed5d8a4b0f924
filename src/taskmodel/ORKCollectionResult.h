#pragma once

#include "taskmodel/ORKResult.h"

#include <QList>

namespace pathloom {

// A result made of child results, for example the results of the steps of a task. Copying it
// (by copy() or by copy construction) copies the children too, so that a copy can be changed
// without touching the original.
class ORKCollectionResult : public ORKResult {
public:
    using ORKResult::ORKResult;
    ORKCollectionResult(const ORKCollectionResult& other);
    ORKCollectionResult& operator=(const ORKCollectionResult& other);
    ORKCollectionResult(ORKCollectionResult&&) = default;
    ORKCollectionResult& operator=(ORKCollectionResult&&) = default;
    ~ORKCollectionResult() override = default;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override;

    QList<std::shared_ptr<ORKResult>> results;
};

}  // namespace pathloom
