#pragma once

#include <QString>
#include <memory>

namespace pathloom {

// A failure of the serializer: its message (the failure reason, which is also what a user sees)
// and, for nested failures, the inner error.
class ORKESerializationError {
public:
    explicit ORKESerializationError(QString failureReason,
                                    std::shared_ptr<const ORKESerializationError> underlying = {});

    [[nodiscard]] static QString domain() { return QStringLiteral("ORKESerializationErrorDomain"); }
    [[nodiscard]] static qint64 code() { return 1001; }
    [[nodiscard]] const QString& failureReason() const { return m_failureReason; }
    [[nodiscard]] QString description() const { return m_failureReason; }
    [[nodiscard]] const std::shared_ptr<const ORKESerializationError>& underlyingError() const {
        return m_underlying;
    }

private:
    QString m_failureReason;
    std::shared_ptr<const ORKESerializationError> m_underlying;
};

}  // namespace pathloom
