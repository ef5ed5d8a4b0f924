#include "documents/ParseError.h"

#include <utility>

namespace pathloom {

ParseError::ParseError(Case errorCase, QString cause)
    : m_case(errorCase), m_cause(std::move(cause)) {}

ParseError ParseError::invalidStepData(QString cause) {
    return {Case::invalidStepData, std::move(cause)};
}

ParseError ParseError::invalidWorkflowData(QString cause) {
    return {Case::invalidWorkflowData, std::move(cause)};
}

ParseError ParseError::invalidServerData(QString cause) {
    return {Case::invalidServerData, std::move(cause)};
}

ParseError ParseError::invalidAppName(QString cause) {
    return {Case::invalidAppName, std::move(cause)};
}

ParseError ParseError::invalidAppData(QString cause) {
    return {Case::invalidAppData, std::move(cause)};
}

ParseError ParseError::invalidNavigationStyle(QString cause) {
    return {Case::invalidNavigationStyle, std::move(cause)};
}

ParseError ParseError::invalidNavigationRule(QString cause) {
    return {Case::invalidNavigationRule, std::move(cause)};
}

QString ParseError::description() const {
    switch (m_case) {
        case Case::invalidStepData:
            return QStringLiteral("Invalid step data: ") + m_cause + u'.';
        case Case::invalidWorkflowData:
            return QStringLiteral("Invalid task data: ") + m_cause;
        case Case::invalidServerData:
            return QStringLiteral("Invalid server data: ") + m_cause;
        case Case::invalidAppName:
            return QStringLiteral("Invalid name data: ") + m_cause;
        case Case::invalidAppData:
            return QStringLiteral("Invalid workflow data: ") + m_cause;
        case Case::invalidNavigationStyle:
            return QStringLiteral("Invalid navigation style data: ") + m_cause;
        case Case::invalidNavigationRule:
            return QStringLiteral("Invalid navigation rule data: ") + m_cause;
    }
    return m_cause;
}

QString ParseError::domain() { return QStringLiteral("Pathloom.AppConfigurationManager"); }

}  // namespace pathloom
