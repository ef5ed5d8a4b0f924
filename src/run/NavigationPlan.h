#pragma once

#include "loading/AppConfiguration.h"
#include "run/PathloomRootViewControllerError.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <expected>
#include <optional>
#include <variant>

namespace pathloom {

// What the first screen of an app shows, decided from its navigation style before any screen
// exists: the screens and the command's inspection build from it alike. A plain value.
class NavigationPlan {
public:
    // Every workflow in a table titled with the app's name; the initial workflow opens over it.
    struct List {
        QString title;
        QList<Workflow> workflows;
        std::optional<Workflow> initialWorkflow;
    };
    struct Tab {
        Workflow workflow;
        // Opened over the tab's workflow when it first appears.
        std::optional<Workflow> initialWorkflow;
    };
    // One tab per listed id that names a workflow. With `selectedIndex` the initial workflow is
    // that tab itself, so no tab opens one.
    struct Tabs {
        QString title;
        QList<Tab> tabs;
        std::optional<qsizetype> selectedIndex;
    };
    // One workflow that fills the screen; the initial workflow opens over it.
    struct Primary {
        Workflow workflow;
        std::optional<Workflow> initialWorkflow;
    };
    using Screen = std::variant<List, Tabs, Primary>;

    // Fails with missingTabIds for a tab bar without a tab list and with missingPrimaryWorkflow
    // for the primary-workflow style without a primary workflow.
    [[nodiscard]] static std::expected<NavigationPlan, PathloomRootViewControllerError> make(
        const AppConfiguration& configuration);

    [[nodiscard]] const Screen& screen() const { return m_screen; }
    // Every workflow of the app: what each task screen of the plan opens other workflows from.
    [[nodiscard]] const QList<Workflow>& allWorkflows() const { return m_allWorkflows; }

    // One line, such as: Navigation: tabs 3 "Third", 1 "First" (selected: 1)
    [[nodiscard]] QString describe() const;
    [[nodiscard]] QJsonObject toJson() const;

    // The plan's line, or "Navigation: cannot be shown: " and the error's text.
    [[nodiscard]] static QString describe(
        const std::expected<NavigationPlan, PathloomRootViewControllerError>& plan);
    // The plan's object, or one holding the error's text under "error".
    [[nodiscard]] static QJsonObject toJson(
        const std::expected<NavigationPlan, PathloomRootViewControllerError>& plan);

private:
    NavigationPlan(Screen screen, QList<Workflow> allWorkflows)
        : m_screen(std::move(screen)), m_allWorkflows(std::move(allWorkflows)) {}

    Screen m_screen;
    QList<Workflow> m_allWorkflows;
};

}  // namespace pathloom
