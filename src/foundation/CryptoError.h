#pragma once

#include <QString>

namespace pathloom {

// Why a cryptographic operation failed: a malformed key or parameter, a sealed box that did not
// authenticate, or a failure inside the crypto library (with its message).
class CryptoError {
public:
    enum class Case {
        invalidKeyRepresentation,
        incorrectParameterSize,
        authenticationFailure,
        underlyingFailure,
    };

    static CryptoError invalidKeyRepresentation(QString detail);
    static CryptoError incorrectParameterSize(QString detail);
    static CryptoError authenticationFailure();
    static CryptoError underlyingFailure(QString detail);

    [[nodiscard]] Case errorCase() const { return m_case; }
    [[nodiscard]] const QString& detail() const { return m_detail; }
    [[nodiscard]] static QString domain();
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    [[nodiscard]] QString description() const;

    friend bool operator==(const CryptoError&, const CryptoError&) = default;

private:
    CryptoError(Case errorCase, QString detail);

    Case m_case;
    QString m_detail;
};

}  // namespace pathloom
