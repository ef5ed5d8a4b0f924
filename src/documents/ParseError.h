#pragma once

#include <QString>

namespace pathloom {

// The error of every document parser and step builder: which kind of data was invalid, and why.
// Host plug-ins build the same errors through the public case constructors.
class ParseError {
public:
    enum class Case {
        invalidStepData,
        invalidWorkflowData,
        invalidServerData,
        invalidAppName,
        invalidAppData,
        invalidNavigationStyle,
        invalidNavigationRule,
    };

    static ParseError invalidStepData(QString cause);
    static ParseError invalidWorkflowData(QString cause);
    static ParseError invalidServerData(QString cause);
    static ParseError invalidAppName(QString cause);
    static ParseError invalidAppData(QString cause);
    static ParseError invalidNavigationStyle(QString cause);
    static ParseError invalidNavigationRule(QString cause);

    [[nodiscard]] Case errorCase() const { return m_case; }
    [[nodiscard]] const QString& cause() const { return m_cause; }
    // The text a user sees; it is also the localized description.
    [[nodiscard]] QString description() const;
    [[nodiscard]] static QString domain();
    // The position of the case in the enumeration.
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }

    friend bool operator==(const ParseError&, const ParseError&) = default;

private:
    ParseError(Case errorCase, QString cause);

    Case m_case;
    QString m_cause;
};

}  // namespace pathloom
