#include "shell/TabBarNavigationStyleViewController.h"

#include "platform/SymbolCatalogue.h"
#include "screens/MessageStateView.h"
#include "shell/PrimaryWorkflowStyleViewController.h"
#include "shell/ScreenJournal.h"

#include <QJsonArray>
#include <QTabWidget>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kTabSymbolSize(24, 24);

}  // namespace

TabBarNavigationStyleViewController::TabBarNavigationStyleViewController(
    const NavigationPlan::Tabs& tabs, TaskScreens& screens, QWidget* parent)
    : QWidget(parent), m_screens(screens) {
    setObjectName(u"tabBarStyle"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QJsonArray journalTabs;
    if (tabs.tabs.isEmpty()) {
        // An empty bar would explain nothing.
        layout->addWidget(new MessageStateView(u"No workflows to show."_s, this));
    } else {
        m_tabs = new QTabWidget(this);
        m_tabs->setObjectName(u"tabs"_s);
        m_tabs->setTabPosition(QTabWidget::South);
        m_tabs->setDocumentMode(true);
        m_tabs->setIconSize(kTabSymbolSize);
        for (const NavigationPlan::Tab& tab : tabs.tabs) {
            PrimaryWorkflowStyleViewController* screen = screens.make(
                tab.workflow, tab.initialWorkflow, false, {}, WorkflowRunner::Nesting::topLevel);
            const QString name = tab.workflow.name.value_or(QString());
            QIcon icon;
            if (tab.workflow.systemImageName &&
                screens.symbols().contains(*tab.workflow.systemImageName)) {
                icon = screens.symbols().icon(*tab.workflow.systemImageName, kTabSymbolSize,
                                              palette().color(QPalette::Highlight));
            }
            m_tabs->addTab(screen, icon, name);
            m_screensOfTabs.append(screen);
            m_started.append(false);
            journalTabs.append(QJsonObject{{u"workflow"_s, tab.workflow.id}, {u"title"_s, name}});
        }
        m_tabs->setCurrentIndex(static_cast<int>(tabs.selectedIndex.value_or(0)));
        layout->addWidget(m_tabs);
        connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) { showTab(index); });
    }
    screens.journal().record(u"screen"_s, {{u"screen"_s, u"tabBar"_s},
                                           {u"title"_s, tabs.title},
                                           {u"tabs"_s, journalTabs},
                                           {u"selected"_s, m_tabs ? m_tabs->currentIndex() : -1}});
}

void TabBarNavigationStyleViewController::viewWillAppear() {
    if (m_tabs) {
        m_screensOfTabs[m_tabs->currentIndex()]->viewWillAppear();
    }
}

void TabBarNavigationStyleViewController::viewDidAppear() {
    if (m_tabs) {
        showTab(m_tabs->currentIndex());
    }
}

void TabBarNavigationStyleViewController::showTab(int index) {
    if (index < 0 || index >= m_screensOfTabs.size()) {
        return;
    }
    PrimaryWorkflowStyleViewController* screen = m_screensOfTabs[index];
    if (!m_started[index]) {
        m_started[index] = true;
        screen->start();
    }
    screen->viewDidAppear();
}

}  // namespace pathloom
