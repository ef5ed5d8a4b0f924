#pragma once

#include <QString>

namespace pathloom {

// Why a stored credential could not be read or removed. It has no message of its own, so users
// see the platform's generic text for its domain and code.
class CredentialError {
public:
    enum class Case {
        // The stored bytes were no credential. Reading them deletes the item, so the next read
        // finds nothing.
        invalidInputData,
        // The key store failed to read or delete the item.
        storingError,
        unexpected,
    };

    static CredentialError invalidInputData() { return CredentialError(Case::invalidInputData); }
    static CredentialError storingError() { return CredentialError(Case::storingError); }
    static CredentialError unexpected() { return CredentialError(Case::unexpected); }

    [[nodiscard]] Case errorCase() const { return m_case; }
    [[nodiscard]] static QString domain() { return QStringLiteral("PathloomCore.CredentialError"); }
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    [[nodiscard]] QString description() const {
        return QStringLiteral("The operation couldn\u2019t be completed. (%1 error %2.)")
            .arg(domain())
            .arg(code());
    }

    friend bool operator==(const CredentialError&, const CredentialError&) = default;

private:
    explicit CredentialError(Case errorCase) : m_case(errorCase) {}

    Case m_case;
};

}  // namespace pathloom
