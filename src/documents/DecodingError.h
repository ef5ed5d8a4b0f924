#pragma once

#include <QString>

namespace pathloom {

// Why a stored form could not be decoded, with the path of the offending value
// (for example "tasks[0].steps[2].content").
class DecodingError {
public:
    enum class Reason { keyNotFound, typeMismatch, dataCorrupted };

    static DecodingError keyNotFound(QString path);
    static DecodingError typeMismatch(QString path, QString expectedType);
    static DecodingError dataCorrupted(QString path, QString detail);

    [[nodiscard]] Reason reason() const { return m_reason; }
    [[nodiscard]] const QString& path() const { return m_path; }
    [[nodiscard]] QString description() const;

private:
    DecodingError(Reason reason, QString path, QString detail);

    Reason m_reason;
    QString m_path;
    QString m_detail;
};

}  // namespace pathloom
