#include "serialization/ORKESerializationError.h"

namespace pathloom {

ORKESerializationError::ORKESerializationError(
    QString failureReason, std::shared_ptr<const ORKESerializationError> underlying)
    : m_failureReason(std::move(failureReason)), m_underlying(std::move(underlying)) {}

}  // namespace pathloom
