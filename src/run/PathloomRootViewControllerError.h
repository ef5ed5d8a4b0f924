#pragma once

#include <QString>

namespace pathloom {

// Why the screen of an app's navigation style cannot be built: the primary-workflow style names no
// workflow that exists, or the tab-bar style has no tab list. It has no message of its own, so
// users see the platform's generic text for its code.
class PathloomRootViewControllerError {
public:
    enum class Case { missingPrimaryWorkflow = 0, missingTabIds = 1 };

    static PathloomRootViewControllerError missingPrimaryWorkflow() {
        return PathloomRootViewControllerError(Case::missingPrimaryWorkflow);
    }
    static PathloomRootViewControllerError missingTabIds() {
        return PathloomRootViewControllerError(Case::missingTabIds);
    }

    [[nodiscard]] Case errorCase() const { return m_case; }
    [[nodiscard]] static QString domain();
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    // "The operation couldn’t be completed. (<domain> error <code>.)"
    [[nodiscard]] QString description() const;

    friend bool operator==(const PathloomRootViewControllerError&,
                           const PathloomRootViewControllerError&) = default;

private:
    explicit PathloomRootViewControllerError(Case errorCase) : m_case(errorCase) {}

    Case m_case;
};

}  // namespace pathloom
