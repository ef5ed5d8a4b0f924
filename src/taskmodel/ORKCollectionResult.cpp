#include "taskmodel/ORKCollectionResult.h"

namespace pathloom {

namespace {

QList<std::shared_ptr<ORKResult>> copies(const QList<std::shared_ptr<ORKResult>>& results) {
    QList<std::shared_ptr<ORKResult>> copied;
    copied.reserve(results.size());
    for (const std::shared_ptr<ORKResult>& result : results) {
        copied.append(result ? result->copy() : nullptr);
    }
    return copied;
}

}  // namespace

ORKCollectionResult::ORKCollectionResult(const ORKCollectionResult& other)
    : ORKResult(other), results(copies(other.results)) {}

ORKCollectionResult& ORKCollectionResult::operator=(const ORKCollectionResult& other) {
    if (this != &other) {
        ORKResult::operator=(other);
        results = copies(other.results);
    }
    return *this;
}

std::shared_ptr<ORKResult> ORKCollectionResult::copy() const {
    return std::make_shared<ORKCollectionResult>(*this);
}

}  // namespace pathloom
