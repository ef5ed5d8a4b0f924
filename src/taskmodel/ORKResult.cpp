#include "taskmodel/ORKResult.h"

namespace pathloom {

ORKResult::ORKResult(QString identifier)
    : identifier(std::move(identifier)),
      startDate(QDateTime::currentDateTimeUtc()),
      endDate(startDate) {}

std::shared_ptr<ORKResult> ORKResult::copy() const { return std::make_shared<ORKResult>(*this); }

}  // namespace pathloom
