#include "shell/TaskScreens.h"

#include "run/StepKind.h"
#include "screens/MessageStateView.h"
#include "screens/PathloomNetworkDisplayViewController.h"
#include "screens/PathloomNetworkListViewController.h"
#include "screens/PathloomPDFViewController.h"
#include "shell/PresentationStack.h"
#include "shell/PrimaryWorkflowStyleViewController.h"
#include "shell/ScreenJournal.h"
#include "taskmodel/ORKStep.h"
#include "taskscreens/NavigationBar.h"
#include "taskscreens/ORKStepViewController.h"
#include "taskscreens/ORKTableStepViewController.h"
#include "taskscreens/ORKTableView.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QPdfDocument>
#include <QToolButton>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// What each row of a table says, by the accessible name its cell gives itself.
QJsonArray rowNames(const ORKTableView& table) {
    QJsonArray rows;
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        rows.append(table.cellForRow(row)->accessibleName());
    }
    return rows;
}

// The message shown instead of the rows, or null.
QJsonValue backgroundMessage(const ORKTableView& table) {
    const auto* message = qobject_cast<const MessageStateView*>(table.backgroundView());
    return message ? QJsonValue(message->messageLabel()->text()) : QJsonValue();
}

}  // namespace

TaskScreens::TaskScreens(WorkflowRunner::Environment& environment, const StepScreenFactory& steps,
                         ORKTaskViewControllerDelegate& delegate, PresentationStack& stack,
                         ScreenJournal& journal, const SymbolCatalogue& symbols)
    : m_environment(environment),
      m_steps(steps),
      m_delegate(delegate),
      m_stack(stack),
      m_journal(journal),
      m_symbols(symbols) {}

PrimaryWorkflowStyleViewController* TaskScreens::make(const Workflow& workflow,
                                                      std::optional<Workflow> initialWorkflow,
                                                      bool discardable, OnDismiss onDismiss,
                                                      WorkflowRunner::Nesting nesting) {
    auto* screen = new PrimaryWorkflowStyleViewController(
        workflow, std::move(initialWorkflow), std::move(onDismiss), *this, m_steps, nesting);
    screen->setDelegate(&m_delegate);
    screen->setDiscardable(discardable);
    QObject::connect(screen, &ORKTaskViewController::stepShown, screen,
                     [this, screen](ORKStepViewController* step) {
                         journalStep(*screen, *step);
                         journalWhatStepsShowLater(*screen, *step);
                         if (m_stepObserver) {
                             m_stepObserver(*screen, *step);
                         }
                     });
    return screen;
}

void TaskScreens::journalStep(const ORKTaskViewController& task,
                              const ORKStepViewController& step) const {
    const NavigationBar& bar = task.navigationBar();
    const QAction* next = step.continueButtonItem();
    const QAction* skip = step.skipButtonItem();
    const bool footer = !step.isNavigationFooterHidden();
    const QAction* right = bar.rightAction();
    m_journal.record(
        u"step"_s,
        {{u"workflow"_s, task.workflow().id},
         {u"identifier"_s, step.step()->identifier},
         {u"class"_s, stepClassName(step.step())},
         {u"title"_s, step.step()->title ? QJsonValue(*step.step()->title) : QJsonValue()},
         {u"continue"_s, footer && next->isVisible() ? QJsonValue(next->text()) : QJsonValue()},
         {u"continueEnabled"_s, footer && next->isVisible() && next->isEnabled()},
         {u"skip"_s, footer && skip->isVisible()},
         {u"back"_s, !bar.backButton()->isHidden()},
         {u"cancel"_s, !bar.cancelButton()->isHidden()},
         {u"rightButton"_s, right ? right->data().toJsonValue() : QJsonValue()}});
}

void TaskScreens::journalWhatStepsShowLater(const ORKTaskViewController& task,
                                            ORKStepViewController& step) const {
    const qint64 workflow = task.workflow().id;
    const QString identifier = step.step()->identifier;
    auto* table = qobject_cast<ORKTableStepViewController*>(&step);
    const auto content = [this, table, workflow, identifier] {
        m_journal.record(u"content"_s, {{u"workflow"_s, workflow},
                                        {u"identifier"_s, identifier},
                                        {u"rows"_s, rowNames(table->tableView())},
                                        {u"message"_s, backgroundMessage(table->tableView())}});
    };
    if (auto* list = qobject_cast<PathloomNetworkListViewController*>(&step)) {
        QObject::connect(list, &PathloomNetworkListViewController::contentLoaded, list, content);
    } else if (auto* page = qobject_cast<PathloomNetworkDisplayViewController*>(&step)) {
        QObject::connect(page, &PathloomNetworkDisplayViewController::contentLoaded, page, content);
    } else if (table != nullptr) {
        content();
    }
    if (auto* pdf = qobject_cast<PathloomPDFViewController*>(&step)) {
        QObject::connect(
            pdf, &PathloomPDFViewController::documentShown, pdf, [this, pdf, workflow, identifier] {
                const QAction* next = pdf->continueButtonItem();
                m_journal.record(u"document"_s,
                                 {{u"workflow"_s, workflow},
                                  {u"identifier"_s, identifier},
                                  {u"pages"_s, pdf->document().pageCount()},
                                  {u"continueEnabled"_s, next->isVisible() && next->isEnabled()}});
            });
    }
}

PrimaryWorkflowStyleViewController* TaskScreens::present(const Workflow& workflow,
                                                         OnDismiss onDismiss,
                                                         WorkflowRunner::Nesting nesting,
                                                         const std::optional<Resume>& resume) {
    PrimaryWorkflowStyleViewController* screen =
        make(workflow, std::nullopt, true, std::move(onDismiss), nesting);
    m_journal.record(
        u"present"_s,
        {{u"screen"_s, u"task"_s}, {u"workflow"_s, workflow.id}, {u"animated"_s, true}});
    m_stack.present(screen, true);
    if (resume) {
        screen->restartAt(resume->stepIdentifier, resume->earlier);
    } else {
        screen->start();
    }
    return screen;
}

}  // namespace pathloom
