#pragma once

#include "loading/Workflow.h"
#include "shell/TaskScreens.h"
#include "taskscreens/ScreenAppearance.h"

#include <QWidget>
#include <optional>

class QListWidget;

namespace pathloom {

// The list style: every workflow of the app in one list titled with the app's name; choosing a
// row opens that workflow over the list. The initial workflow opens once, the first time the list
// appears.
class ListNavigationStyleViewController : public QWidget, public ScreenAppearance {
    Q_OBJECT

public:
    ListNavigationStyleViewController(const QString& title, QList<Workflow> workflows,
                                      std::optional<Workflow> initialWorkflow, TaskScreens& screens,
                                      QWidget* parent = nullptr);

    void viewDidAppear() override;

    [[nodiscard]] QListWidget& list() const { return *m_list; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open(int row);

    QList<Workflow> m_workflows;
    std::optional<Workflow> m_initialWorkflow;
    TaskScreens& m_screens;
    QListWidget* m_list;
};

}  // namespace pathloom
