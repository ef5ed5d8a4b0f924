#pragma once

#include <QString>

namespace pathloom {

// The image capture step could not be built: its template image did not load.
class StepCreationError {
public:
    enum class Case { unableToLoadTemplateImage };

    static StepCreationError unableToLoadTemplateImage(QString identifier);

    [[nodiscard]] Case errorCase() const { return m_case; }
    // The identifier of the step that failed.
    [[nodiscard]] const QString& identifier() const { return m_identifier; }

    [[nodiscard]] static QString domain();
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    // The text a user sees; the failure reason says the same.
    [[nodiscard]] QString description() const;
    [[nodiscard]] QString failureReason() const { return description(); }
    [[nodiscard]] QString recoverySuggestion() const;

    friend bool operator==(const StepCreationError&, const StepCreationError&) = default;

private:
    StepCreationError(Case errorCase, QString identifier);

    Case m_case;
    QString m_identifier;
};

}  // namespace pathloom
