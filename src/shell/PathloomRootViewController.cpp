#include "shell/PathloomRootViewController.h"

#include "analytics/AppEvent.h"
#include "loading/AppConfigurationManager.h"
#include "platform/SymbolCatalogue.h"
#include "platform/TextStyles.h"
#include "platform/Theme.h"
#include "run/NavigationPlan.h"
#include "run/SourceSelection.h"
#include "screens/AlertDialog.h"
#include "screens/ProgressIndicator.h"
#include "shell/ListNavigationStyleViewController.h"
#include "shell/PresentationStack.h"
#include "shell/PrimaryWorkflowStyleViewController.h"
#include "shell/ScreenJournal.h"
#include "shell/TabBarNavigationStyleViewController.h"
#include "shell/TaskScreens.h"
#include "taskscreens/ORKStepViewController.h"

#include <QLabel>
#include <QPointer>
#include <QSettings>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

QString sourceKind(const AppConfigurationContext& context) {
    if (std::holds_alternative<AppConfigurationContext::Remote>(context.source)) {
        return u"remote"_s;
    }
    if (std::holds_alternative<AppConfigurationContext::File>(context.source)) {
        return u"file"_s;
    }
    return u"cached"_s;
}

QWidget* makeHint(const SymbolCatalogue& symbols, QWidget* parent) {
    auto* hint = new QWidget(parent);
    hint->setObjectName(u"hintStackView"_s);
    auto* picture = new QLabel(hint);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(QPixmap::fromImage(
        symbols.image(u"doc.text"_s, QSize(64, 64), QColor(142, 142, 147)).value_or(QImage())));
    auto* text = new QLabel(
        u"No app is loaded. Open a Pathloom link, or start pathloom-app with an app document."_s,
        hint);
    text->setObjectName(u"hintText"_s);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    text->setFont(TextStyles::font(TextStyles::Style::body));
    auto* layout = new QVBoxLayout(hint);
    layout->setContentsMargins(32, 32, 32, 32);
    layout->addStretch();
    layout->addWidget(picture);
    layout->addWidget(text);
    layout->addStretch();
    return hint;
}

}  // namespace

PathloomRootViewController::PathloomRootViewController(
    Services services, QList<AppConfigurationContext> preferredConfigurations, QWidget* parent)
    : QWidget(parent),
      m_services(std::move(services)),
      m_preferred(std::move(preferredConfigurations)),
      m_home(new QWidget),
      m_hint(makeHint(m_services.symbols, m_home)),
      m_stack(new PresentationStack(*m_home, this)),
      m_progress(std::make_unique<ProgressIndicator>()) {
    setObjectName(u"root"_s);
    auto* homeLayout = new QVBoxLayout(m_home);
    homeLayout->setContentsMargins(0, 0, 0, 0);
    homeLayout->addWidget(m_hint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    m_environment.session = m_services.manager.stepsSession();
    m_environment.outputDirectory = m_services.manager.outputDirectory();
    m_taskScreens = std::make_unique<TaskScreens>(m_environment, m_services.steps, *this, *m_stack,
                                                  m_services.journal, m_services.symbols);
    m_hint->hide();
}

PathloomRootViewController::~PathloomRootViewController() = default;

void PathloomRootViewController::start() {
    setHintVisible(false);
    const std::optional<AppConfigurationContext> source =
        SourceSelection::firstUsable(m_preferred, m_services.manager.cacheStorage());
    if (!source) {
        setHintVisible(true);
        return;
    }
    loadAppConfiguration(*source);
}

void PathloomRootViewController::loadAppConfiguration(const AppConfigurationContext& context) {
    m_reloaded = {};
    m_stack->dismissAll(false);
    SourceSelection::prepareForLoad(context, *m_services.settings, *m_services.credentials,
                                    *m_services.manager.stepsSession());
    load(context);
}

void PathloomRootViewController::reloadAppConfiguration(
    const AppConfigurationContext& context, std::function<void(std::optional<Error>)> done) {
    m_reloaded = std::move(done);
    load(context);
}

void PathloomRootViewController::setBanner(QWidget* banner) {
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, banner);
}

void PathloomRootViewController::load(const AppConfigurationContext& context) {
    const bool remote = std::holds_alternative<AppConfigurationContext::Remote>(context.source);
    QJsonObject load{{u"source"_s, sourceKind(context)}};
    if (const auto* fromServer = std::get_if<AppConfigurationContext::Remote>(&context.source)) {
        // The address may carry credentials in its query; journals never show them.
        load.insert(
            u"url"_s,
            QUrl(fromServer->url).adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment).toString());
    }
    m_services.journal.record(u"load"_s, load);
    if (remote) {
        m_progress->show(window() ? window() : this);
    }
    m_services.manager.loadAppConfiguration(
        context, DispatchQueue::main(),
        [self = QPointer(this), remote, context](std::expected<AppConfiguration, Error> result) {
            if (self) {
                self->loaded(std::move(result), remote, context);
            }
        });
}

bool PathloomRootViewController::isHintVisible() const { return !m_hint->isHidden(); }

void PathloomRootViewController::loaded(std::expected<AppConfiguration, Error> result, bool remote,
                                        const AppConfigurationContext& context) {
    if (remote) {
        m_progress->hide();
    }
    if (const auto reloaded = std::exchange(m_reloaded, {})) {
        if (!result) {
            reloaded(result.error());
            return;
        }
        // The app shown so far goes only now; its session and credentials too, as before any
        // load from outside the cache.
        m_stack->dismissAll(false);
        SourceSelection::prepareForLoad(context, *m_services.settings, *m_services.credentials,
                                        *m_services.manager.stepsSession());
        showConfiguration(*result, remote);
        reloaded(std::nullopt);
        return;
    }
    if (!result) {
        AlertDialog::showError(this, result.error());
        setHintVisible(true);
        Q_EMIT loadFailed();
        return;
    }
    showConfiguration(*result, remote);
}

void PathloomRootViewController::showConfiguration(const AppConfiguration& configuration,
                                                   bool remote) {
    m_environment.allWorkflows = configuration.tasks;
    m_environment.analytics =
        Analytics::assembled(configuration.id, configuration.analyticsURL, m_services.settings);
    Theme::setApplicationTint(configuration.systemTintColor);

    const std::expected<NavigationPlan, PathloomRootViewControllerError> plan =
        NavigationPlan::make(configuration);
    if (!plan) {
        AlertDialog::showError(this, plan.error());
        Q_EMIT loadFailed();
        return;
    }
    QWidget* screen = nullptr;
    if (const auto* list = std::get_if<NavigationPlan::List>(&plan->screen())) {
        screen = new ListNavigationStyleViewController(list->title, list->workflows,
                                                       list->initialWorkflow, *m_taskScreens);
    } else if (const auto* tabs = std::get_if<NavigationPlan::Tabs>(&plan->screen())) {
        screen = new TabBarNavigationStyleViewController(*tabs, *m_taskScreens);
    } else if (const auto* primary = std::get_if<NavigationPlan::Primary>(&plan->screen())) {
        PrimaryWorkflowStyleViewController* task =
            m_taskScreens->make(primary->workflow, primary->initialWorkflow, false, {},
                                WorkflowRunner::Nesting::topLevel);
        m_services.journal.record(
            u"screen"_s, {{u"screen"_s, u"primary"_s}, {u"workflow"_s, primary->workflow.id}});
        task->start();
        screen = task;
    }
    m_services.journal.record(u"present"_s,
                              {{u"screen"_s, screen->objectName()}, {u"animated"_s, remote}});
    m_stack->present(screen, remote, [self = QPointer(this), configuration] {
        if (!self) {
            return;
        }
        self->m_environment.analytics.log(AppEvent::appOpened());
        if (self->m_onShown) {
            self->m_onShown(configuration);
        }
        Q_EMIT self->configurationShown();
    });
}

void PathloomRootViewController::setHintVisible(bool visible) {
    m_hint->setVisible(visible);
    if (visible) {
        m_services.journal.record(u"screen"_s, {{u"screen"_s, u"hint"_s}});
    }
}

void PathloomRootViewController::taskViewControllerDidFinish(
    ORKTaskViewController& task, ORKTaskViewControllerFinishReason reason,
    const std::optional<Error>&) {
    // The run has already emptied the session (or given it back, for a workflow opened over a
    // running one, whose answers must survive).
    if (!task.isDiscardable()) {
        // Only a tab's or the primary workflow cannot be discarded: taking it away would leave an
        // empty window.
        m_services.journal.record(u"restart"_s, {{u"workflow"_s, task.workflow().id}});
        task.restart();
        return;
    }
    auto* presented = qobject_cast<PrimaryWorkflowStyleViewController*>(&task);
    TaskScreens::OnDismiss onDismiss =
        presented ? presented->onDismiss() : TaskScreens::OnDismiss{};
    m_services.journal.record(u"dismiss"_s, {{u"screen"_s, u"task"_s},
                                             {u"workflow"_s, task.workflow().id},
                                             {u"reason"_s, static_cast<int>(reason)}});
    m_stack->dismiss(&task, true, [onDismiss = std::move(onDismiss), reason] {
        if (onDismiss) {
            onDismiss(reason);
        }
    });
}

void PathloomRootViewController::taskViewControllerStepWillAppear(ORKTaskViewController& task,
                                                                  ORKStepViewController& step) {
    if (task.isDiscardable()) {
        return;
    }
    step.disableButtonItemNavigation();
    if (!task.stepViewControllerHasNextStep(step)) {
        step.hideNavigationFooterView();
    }
}

}  // namespace pathloom
