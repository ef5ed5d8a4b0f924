#pragma once

#include <QString>

namespace pathloom {

// A step asked to open a workflow that the app does not have.
class WorkflowPresentationError {
public:
    enum class Case { workflowNotFound };

    static WorkflowPresentationError workflowNotFound(QString name) {
        return WorkflowPresentationError(Case::workflowNotFound, std::move(name));
    }

    [[nodiscard]] Case errorCase() const { return m_case; }
    // The name that matched no workflow.
    [[nodiscard]] const QString& name() const { return m_name; }
    [[nodiscard]] static QString domain() {
        return QStringLiteral("PathloomCore.WorkflowPresentationError");
    }
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    // "Could not find workflow: " and the name.
    [[nodiscard]] QString description() const {
        return QStringLiteral("Could not find workflow: ") + m_name;
    }

private:
    WorkflowPresentationError(Case errorCase, QString name)
        : m_case(errorCase), m_name(std::move(name)) {}

    Case m_case;
    QString m_name;
};

}  // namespace pathloom
