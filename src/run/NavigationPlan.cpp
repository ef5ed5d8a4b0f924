#include "run/NavigationPlan.h"

#include <QJsonArray>
#include <QStringList>
#include <algorithm>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

QJsonValue idOrNull(const std::optional<Workflow>& workflow) {
    return workflow ? QJsonValue(workflow->id) : QJsonValue();
}

// The id, and the name in quotes when the workflow has one: 3 "Third".
QString label(const Workflow& workflow) {
    const QString id = QString::number(workflow.id);
    return workflow.name ? u"%1 \"%2\""_s.arg(id, *workflow.name) : id;
}

QString opensFirst(const std::optional<Workflow>& initialWorkflow) {
    return initialWorkflow ? u", opens %1 first"_s.arg(initialWorkflow->id) : QString();
}

QString line(const NavigationPlan::List& list) {
    const qsizetype count = list.workflows.size();
    return u"list of %1 %2"_s.arg(count).arg(count == 1 ? u"workflow"_s : u"workflows"_s) +
           opensFirst(list.initialWorkflow);
}

QString line(const NavigationPlan::Tabs& tabs) {
    if (tabs.tabs.isEmpty()) {
        return u"no tabs"_s;
    }
    QStringList labels;
    for (const NavigationPlan::Tab& tab : tabs.tabs) {
        labels.append(label(tab.workflow));
    }
    const QString selected =
        tabs.selectedIndex ? u" (selected: %1)"_s.arg(*tabs.selectedIndex) : QString();
    return u"tabs "_s + labels.join(u", "_s) + selected +
           opensFirst(tabs.tabs.first().initialWorkflow);
}

QString line(const NavigationPlan::Primary& primary) {
    return u"primary workflow "_s + label(primary.workflow) + opensFirst(primary.initialWorkflow);
}

QJsonObject jsonOf(const NavigationPlan::List& list) {
    QJsonArray workflows;
    for (const Workflow& workflow : list.workflows) {
        workflows.append(workflow.id);
    }
    return {{u"style"_s, u"list"_s},
            {u"title"_s, list.title},
            {u"workflows"_s, workflows},
            {u"initialWorkflow"_s, idOrNull(list.initialWorkflow)}};
}

QJsonObject jsonOf(const NavigationPlan::Tabs& tabs) {
    QJsonArray tabArray;
    for (const NavigationPlan::Tab& tab : tabs.tabs) {
        tabArray.append(QJsonObject{{u"workflow"_s, tab.workflow.id},
                                    {u"initialWorkflow"_s, idOrNull(tab.initialWorkflow)}});
    }
    return {
        {u"style"_s, u"tabBar"_s},
        {u"title"_s, tabs.title},
        {u"tabs"_s, tabArray},
        {u"selectedIndex"_s, tabs.selectedIndex ? QJsonValue(*tabs.selectedIndex) : QJsonValue()}};
}

QJsonObject jsonOf(const NavigationPlan::Primary& primary) {
    return {{u"style"_s, u"primaryWorkflow"_s},
            {u"workflow"_s, primary.workflow.id},
            {u"initialWorkflow"_s, idOrNull(primary.initialWorkflow)}};
}

NavigationPlan::Tabs tabsOf(const AppConfiguration& configuration, const QList<qint64>& tabIds) {
    NavigationPlan::Tabs tabs{configuration.name, {}, std::nullopt};
    for (qint64 id : tabIds) {
        const auto workflow = std::ranges::find(configuration.tasks, id, &Workflow::id);
        if (workflow != configuration.tasks.end()) {
            tabs.tabs.append({*workflow, std::nullopt});
        }
    }
    const std::optional<Workflow>& initialWorkflow = configuration.initialWorkflow;
    if (initialWorkflow) {
        const auto selected = std::ranges::find_if(tabs.tabs, [&](const NavigationPlan::Tab& tab) {
            return tab.workflow.id == initialWorkflow->id;
        });
        if (selected != tabs.tabs.end()) {
            tabs.selectedIndex = std::distance(tabs.tabs.begin(), selected);
        }
    }
    if (!tabs.selectedIndex && !tabs.tabs.isEmpty()) {
        tabs.tabs.first().initialWorkflow = initialWorkflow;
    }
    return tabs;
}

}  // namespace

std::expected<NavigationPlan, PathloomRootViewControllerError> NavigationPlan::make(
    const AppConfiguration& configuration) {
    switch (configuration.navigationStyle) {
        case AppNavigationStyle::list:
            break;
        case AppNavigationStyle::tabBar:
            if (!configuration.tabIds) {
                return std::unexpected(PathloomRootViewControllerError::missingTabIds());
            }
            return NavigationPlan(tabsOf(configuration, *configuration.tabIds),
                                  configuration.tasks);
        case AppNavigationStyle::primaryWorkflow:
            if (!configuration.primaryWorkflow) {
                return std::unexpected(PathloomRootViewControllerError::missingPrimaryWorkflow());
            }
            return NavigationPlan(
                Primary{*configuration.primaryWorkflow, configuration.initialWorkflow},
                configuration.tasks);
    }
    return NavigationPlan(
        List{configuration.name, configuration.tasks, configuration.initialWorkflow},
        configuration.tasks);
}

QString NavigationPlan::describe() const {
    return u"Navigation: "_s +
           std::visit([](const auto& screen) { return line(screen); }, m_screen);
}

QJsonObject NavigationPlan::toJson() const {
    return std::visit([](const auto& screen) { return jsonOf(screen); }, m_screen);
}

QString NavigationPlan::describe(
    const std::expected<NavigationPlan, PathloomRootViewControllerError>& plan) {
    return plan ? plan->describe()
                : u"Navigation: cannot be shown: "_s + plan.error().description();
}

QJsonObject NavigationPlan::toJson(
    const std::expected<NavigationPlan, PathloomRootViewControllerError>& plan) {
    return plan ? plan->toJson() : QJsonObject{{u"error"_s, plan.error().description()}};
}

}  // namespace pathloom
