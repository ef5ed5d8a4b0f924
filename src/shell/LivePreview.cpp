#include "shell/LivePreview.h"

#include "foundation/Error.h"
#include "loading/AppConfigurationContext.h"
#include "shell/ErrorBanner.h"
#include "shell/PathloomRootViewController.h"
#include "shell/PresentationStack.h"
#include "shell/PrimaryWorkflowStyleViewController.h"
#include "shell/ScreenJournal.h"
#include "shell/TabBarNavigationStyleViewController.h"
#include "taskmodel/ORKStep.h"
#include "taskmodel/ORKTask.h"

#include <QFileInfo>
#include <QTabWidget>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// The task screen of the workflow the user sees: the top screen itself, or the tab shown.
ORKTaskViewController* shownTask(QWidget* top) {
    if (auto* task = qobject_cast<ORKTaskViewController*>(top)) {
        return task;
    }
    if (auto* tabs = qobject_cast<TabBarNavigationStyleViewController*>(top)) {
        return qobject_cast<ORKTaskViewController*>(tabs->tabWidget()->currentWidget());
    }
    return nullptr;
}

}  // namespace

LivePreview::LivePreview(PathloomRootViewController& root, ScreenJournal& journal,
                         AppConfigurationContext::File document)
    : m_root(root),
      m_journal(journal),
      m_document(std::move(document)),
      m_file(QFileInfo(m_document.path).absoluteFilePath()),
      m_banner(new ErrorBanner) {
    m_root.setBanner(m_banner);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &LivePreview::reload);
    m_watcher.addPath(QFileInfo(m_file).absolutePath());
    m_watcher.addPath(m_file);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &LivePreview::changed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &LivePreview::changed);
}

void LivePreview::changed() {
    if (!m_watcher.files().contains(m_file) && QFileInfo::exists(m_file)) {
        m_watcher.addPath(m_file);
    }
    m_settle.start();
}

void LivePreview::reload() {
    std::optional<Place> place = shownPlace();
    m_root.reloadAppConfiguration(
        {m_document}, [this, place = std::move(place)](const std::optional<Error>& error) {
            if (error) {
                setBannerMessage(error->localizedDescription());
                return;
            }
            setBannerMessage(std::nullopt);
            // The new style screen has been presented; its own first workflow, if any, is
            // under way once it has appeared.
            connect(
                &m_root, &PathloomRootViewController::configurationShown, this,
                [this, place] { reopen(place); }, Qt::SingleShotConnection);
        });
}

void LivePreview::reopen(const std::optional<Place>& place) {
    if (!place) {
        m_journal.record(u"watch"_s, {{u"workflow"_s, QJsonValue()}, {u"step"_s, QJsonValue()}});
        return;
    }
    const QList<Workflow>& workflows = m_root.environment().allWorkflows;
    const auto workflow = std::ranges::find_if(
        workflows, [&](const Workflow& each) { return each.id == place->workflow.id; });
    if (workflow == workflows.end()) {
        m_journal.record(
            u"watch"_s,
            {{u"workflow"_s, place->workflow.id}, {u"step"_s, QJsonValue()}, {u"kept"_s, false}});
        return;
    }
    const bool kept = workflow->task->stepWithIdentifier(place->resume.stepIdentifier) != nullptr;
    m_journal.record(u"watch"_s, {{u"workflow"_s, workflow->id},
                                  {u"step"_s, place->resume.stepIdentifier},
                                  {u"kept"_s, kept}});
    QWidget* top = m_root.stack().topScreen();
    if (auto* tabs = qobject_cast<TabBarNavigationStyleViewController*>(top)) {
        for (int index = 0; index < tabs->tabWidget()->count(); ++index) {
            auto* tab = qobject_cast<ORKTaskViewController*>(tabs->tabWidget()->widget(index));
            if (tab != nullptr && tab->workflow().id == workflow->id) {
                tabs->tabWidget()->setCurrentIndex(index);
                tab->restartAt(place->resume.stepIdentifier, place->resume.earlier);
                return;
            }
        }
    }
    if (ORKTaskViewController* task = shownTask(top); task && task->workflow().id == workflow->id) {
        task->restartAt(place->resume.stepIdentifier, place->resume.earlier);
        return;
    }
    m_root.taskScreens().present(*workflow, {}, WorkflowRunner::Nesting::topLevel, place->resume);
}

void LivePreview::setBannerMessage(const std::optional<QString>& message) {
    const bool shown = !m_banner->isHidden();
    if (message) {
        m_banner->showMessage(*message);
    } else {
        m_banner->hide();
    }
    if (message || shown) {
        m_journal.record(u"banner"_s,
                         {{u"message"_s, message ? QJsonValue(*message) : QJsonValue()}});
    }
}

std::optional<LivePreview::Place> LivePreview::shownPlace() const {
    ORKTaskViewController* task = shownTask(m_root.stack().topScreen());
    if (task == nullptr || !task->runner() || !task->currentStepViewController()) {
        return std::nullopt;
    }
    return Place{
        task->workflow(),
        {task->currentStepViewController()->step()->identifier, task->runner()->taskResult()}};
}

}  // namespace pathloom
