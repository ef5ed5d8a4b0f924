#include "documents/DecodingError.h"

#include <utility>

namespace pathloom {

DecodingError::DecodingError(Reason reason, QString path, QString detail)
    : m_reason(reason), m_path(std::move(path)), m_detail(std::move(detail)) {}

DecodingError DecodingError::keyNotFound(QString path) {
    return {Reason::keyNotFound, std::move(path), {}};
}

DecodingError DecodingError::typeMismatch(QString path, QString expectedType) {
    return {Reason::typeMismatch, std::move(path), std::move(expectedType)};
}

DecodingError DecodingError::dataCorrupted(QString path, QString detail) {
    return {Reason::dataCorrupted, std::move(path), std::move(detail)};
}

QString DecodingError::description() const {
    switch (m_reason) {
        case Reason::keyNotFound:
            return QStringLiteral("No value for '%1'.").arg(m_path);
        case Reason::typeMismatch:
            return QStringLiteral("Expected %1 at '%2'.").arg(m_detail, m_path);
        case Reason::dataCorrupted:
            return QStringLiteral("Corrupted data at '%1': %2").arg(m_path, m_detail);
    }
    return m_detail;
}

}  // namespace pathloom
