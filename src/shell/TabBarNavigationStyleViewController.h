#pragma once

#include "run/NavigationPlan.h"
#include "shell/TaskScreens.h"
#include "taskscreens/ScreenAppearance.h"

#include <QWidget>

class QTabWidget;

namespace pathloom {

class PrimaryWorkflowStyleViewController;

// The tab-bar style: one task screen per tab, tabs at the bottom. A tab's workflow starts when
// its tab is first shown. With no tab at all the screen says so instead of showing an empty bar.
class TabBarNavigationStyleViewController : public QWidget, public ScreenAppearance {
    Q_OBJECT

public:
    TabBarNavigationStyleViewController(const NavigationPlan::Tabs& tabs, TaskScreens& screens,
                                        QWidget* parent = nullptr);

    void viewWillAppear() override;
    void viewDidAppear() override;

    // Null when there are no tabs.
    [[nodiscard]] QTabWidget* tabWidget() const { return m_tabs; }

private:
    void showTab(int index);

    TaskScreens& m_screens;
    QTabWidget* m_tabs = nullptr;
    QList<PrimaryWorkflowStyleViewController*> m_screensOfTabs;
    QList<bool> m_started;
};

}  // namespace pathloom
