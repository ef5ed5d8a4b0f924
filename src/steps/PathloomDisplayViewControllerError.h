#pragma once

#include <QString>

namespace pathloom {

// Why a display page refused a button's action.
class PathloomDisplayViewControllerError {
public:
    enum class Case { urlActionsUnsupported };

    static PathloomDisplayViewControllerError urlActionsUnsupported() {
        return PathloomDisplayViewControllerError(Case::urlActionsUnsupported);
    }

    [[nodiscard]] Case errorCase() const { return m_case; }
    [[nodiscard]] static QString domain() {
        return QStringLiteral("PathloomCore.PathloomDisplayViewControllerError");
    }
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    // "URL actions not supported in non-network Display step".
    [[nodiscard]] QString description() const;

private:
    explicit PathloomDisplayViewControllerError(Case errorCase) : m_case(errorCase) {}

    Case m_case;
};

}  // namespace pathloom
