#pragma once

#include <QString>

namespace pathloom {

// Why a run without screens could not go on where a user could: an answer that does not fit its
// step, or a walk that does not end.
class RunError {
public:
    explicit RunError(QString description) : m_description(std::move(description)) {}

    [[nodiscard]] static QString domain() { return QStringLiteral("pathloom.run"); }
    [[nodiscard]] static qint64 code() { return 1; }
    [[nodiscard]] const QString& description() const { return m_description; }

private:
    QString m_description;
};

}  // namespace pathloom
