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
    // The domain and codes under which platforms report a decoding failure: a missing value, or
    // data of the wrong shape.
    [[nodiscard]] static QString domain() { return QStringLiteral("NSCocoaErrorDomain"); }
    [[nodiscard]] qint64 code() const { return m_reason == Reason::keyNotFound ? 4865 : 4864; }

private:
    DecodingError(Reason reason, QString path, QString detail);

    Reason m_reason;
    QString m_path;
    QString m_detail;
};

}  // namespace pathloom
