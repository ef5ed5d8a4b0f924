#include "shell/PrimaryWorkflowStyleViewController.h"

#include "platform/SymbolCatalogue.h"
#include "run/SecondaryWorkflows.h"
#include "screens/AlertDialog.h"
#include "screens/PathloomDisplayViewController.h"
#include "shell/ScreenJournal.h"
#include "steps/HasSecondaryWorkflows.h"
#include "steps/WorkflowPresentationError.h"
#include "taskmodel/ORKStep.h"
#include "taskscreens/NavigationItem.h"
#include "taskscreens/ORKStepViewController.h"

#include <QAction>
#include <QJsonArray>
#include <QMenu>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kBarSymbolSize(24, 24);

}  // namespace

PrimaryWorkflowStyleViewController::PrimaryWorkflowStyleViewController(
    Workflow primaryWorkflow, std::optional<Workflow> initialWorkflow,
    TaskScreens::OnDismiss onDismiss, TaskScreens& screens, const StepScreenFactory& steps,
    WorkflowRunner::Nesting nesting, QWidget* parent)
    : ORKTaskViewController(std::move(primaryWorkflow), screens.environment(), nesting, steps,
                            parent),
      m_initialWorkflow(std::move(initialWorkflow)),
      m_onDismiss(std::move(onDismiss)),
      m_screens(screens),
      m_moreAction(new QAction(this)) {
    m_moreAction->setObjectName(u"secondaryWorkflowsButton"_s);
    m_moreAction->setToolTip(u"More workflows"_s);
    m_moreAction->setText(u"More workflows"_s);
    connect(m_moreAction, &QAction::triggered, this, [this] { more(); });
}

bool PrimaryWorkflowStyleViewController::presentWorkflow(const QString& name,
                                                         TaskScreens::OnDismiss onDismiss) {
    const std::optional<Workflow> workflow =
        SecondaryWorkflows::workflowNamed(m_screens.environment().allWorkflows, name);
    if (!workflow) {
        AlertDialog::showError(this, WorkflowPresentationError::workflowNotFound(name));
        return false;
    }
    m_screens.present(*workflow, std::move(onDismiss), WorkflowRunner::Nesting::overRunningTask);
    return true;
}

void PrimaryWorkflowStyleViewController::viewDidAppear() {
    ORKTaskViewController::viewDidAppear();
    if (const std::optional<Workflow> initial = std::exchange(m_initialWorkflow, std::nullopt)) {
        m_screens.present(*initial, {}, WorkflowRunner::Nesting::overRunningTask);
    }
}

void PrimaryWorkflowStyleViewController::stepViewControllerWillAppear(ORKStepViewController& step) {
    ORKTaskViewController::stepViewControllerWillAppear(step);
    if (auto* page = qobject_cast<PathloomDisplayViewController*>(&step)) {
        page->setWorkflowPresentationDelegate(this);
    }
    const QList<qint64> ids = secondaryWorkflowIDs();
    if (ids.isEmpty()) {
        return;
    }
    QString symbol = u"ellipsis.circle"_s;
    if (ids.size() == 1) {
        const QList<Workflow> candidates =
            SecondaryWorkflows::candidates(m_screens.environment().allWorkflows, ids);
        if (!candidates.isEmpty() && candidates.first().systemImageName &&
            m_screens.symbols().contains(*candidates.first().systemImageName)) {
            symbol = *candidates.first().systemImageName;
        }
    }
    m_moreAction->setIcon(
        m_screens.symbols().icon(symbol, kBarSymbolSize, palette().color(QPalette::Highlight)));
    m_moreAction->setData(symbol);
    step.navigationItem().setRightAction(m_moreAction);
}

QList<qint64> PrimaryWorkflowStyleViewController::secondaryWorkflowIDs() const {
    const ORKStepViewController* step = currentStepViewController();
    const auto* offering =
        step ? dynamic_cast<const HasSecondaryWorkflows*>(step->step().get()) : nullptr;
    return offering ? offering->secondaryWorkflowIDs() : QList<qint64>{};
}

void PrimaryWorkflowStyleViewController::more() {
    const QList<Workflow> candidates = SecondaryWorkflows::candidates(
        m_screens.environment().allWorkflows, secondaryWorkflowIDs());
    if (candidates.isEmpty()) {
        return;
    }
    const auto open = [this](const Workflow& workflow) {
        m_screens.present(workflow, {}, WorkflowRunner::Nesting::overRunningTask);
    };
    if (candidates.size() == 1) {
        open(candidates.first());
        return;
    }
    auto* menu = new QMenu(this);
    menu->setObjectName(u"workflowPicker"_s);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QJsonArray entries;
    for (const Workflow& candidate : candidates) {
        if (!candidate.name) {
            continue;
        }
        QAction* action = menu->addAction(*candidate.name);
        action->setObjectName(u"menu:"_s + *candidate.name);
        if (candidate.systemImageName && m_screens.symbols().contains(*candidate.systemImageName)) {
            action->setIcon(m_screens.symbols().icon(*candidate.systemImageName, kBarSymbolSize,
                                                     palette().color(QPalette::Text)));
        }
        connect(action, &QAction::triggered, this, [open, candidate] { open(candidate); });
        entries.append(*candidate.name);
    }
    QAction* cancel = menu->addAction(u"Cancel"_s);
    cancel->setObjectName(u"menu:Cancel"_s);
    entries.append(u"Cancel"_s);
    m_screens.journal().record(u"menu"_s, {{u"entries"_s, entries}});
    menu->popup(mapToGlobal(QPoint(width(), 0)));
}

}  // namespace pathloom
