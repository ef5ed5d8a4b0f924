#pragma once

#include "loading/AppConfigurationContext.h"
#include "run/WorkflowRunner.h"
#include "taskscreens/ORKTaskViewControllerDelegate.h"

#include <QList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QSettings;

namespace pathloom {

class AppConfigurationManager;
class CredentialsStoreProtocol;
class PresentationStack;
class ProgressIndicator;
class ScreenJournal;
class StepScreenFactory;
class SymbolCatalogue;
class TaskScreens;
struct AppConfiguration;

// The first screen of the app: picks the first usable preferred source, loads the app from it
// (clearing the visitor token and the credentials for anything but the cached copy), says why a
// load failed and shows a hint when nothing can be shown, and otherwise presents the screen of the
// app's navigation style over itself, with the app's tint and analytics. It is the task delegate
// of every workflow it shows: it keeps the screen rules (no way back or out of a workflow that
// cannot be discarded, no footer on its last step) and dismisses finished workflows. A tab or
// primary workflow that finishes starts again at its first step instead of taking the whole style
// screen away.
//
// Main thread only.
class PathloomRootViewController : public QWidget, public ORKTaskViewControllerDelegate {
    Q_OBJECT

public:
    // What the root works with; every part outlives it.
    struct Services {
        AppConfigurationManager& manager;
        std::shared_ptr<QSettings> settings;
        std::shared_ptr<const CredentialsStoreProtocol> credentials;
        const StepScreenFactory& steps;
        const SymbolCatalogue& symbols;
        ScreenJournal& journal;
    };

    PathloomRootViewController(Services services,
                               QList<AppConfigurationContext> preferredConfigurations,
                               QWidget* parent = nullptr);
    ~PathloomRootViewController() override;

    // Picks the first usable preferred source and loads it; shows the hint when there is none.
    void start();
    // Loads the app from `context`, replacing whatever is shown.
    void loadAppConfiguration(const AppConfigurationContext& context);
    // Loads the app from `context` again, as an author's edit asks: what is shown stays until the
    // new app has loaded, and a load that fails leaves it as it is, without an alert; `done`
    // receives the failure, or nothing once the new app is shown.
    void reloadAppConfiguration(const AppConfigurationContext& context,
                                std::function<void(std::optional<Error>)> done);
    // Shows `banner` (owned from now on) above every screen.
    void setBanner(QWidget* banner);

    // Runs after each configuration has been shown (the host stores a sign-in token there).
    void setOnShown(std::function<void(const AppConfiguration&)> onShown) {
        m_onShown = std::move(onShown);
    }

    [[nodiscard]] PresentationStack& stack() const { return *m_stack; }
    // Opens the workflows of the shown app.
    [[nodiscard]] TaskScreens& taskScreens() const { return *m_taskScreens; }
    // What the workflows of the shown app share: its workflows, analytics and session.
    [[nodiscard]] const WorkflowRunner::Environment& environment() const { return m_environment; }
    [[nodiscard]] bool isHintVisible() const;

    void taskViewControllerDidFinish(ORKTaskViewController& task,
                                     ORKTaskViewControllerFinishReason reason,
                                     const std::optional<Error>& error) override;
    void taskViewControllerStepWillAppear(ORKTaskViewController& task,
                                          ORKStepViewController& step) override;

Q_SIGNALS:
    // A configuration is on screen (after its style screen was presented).
    void configurationShown();
    // A load failed, or the loaded app cannot be shown, and the alert saying why is up.
    void loadFailed();

private:
    void load(const AppConfigurationContext& context);
    void loaded(std::expected<AppConfiguration, Error> result, bool remote,
                const AppConfigurationContext& context);
    void showConfiguration(const AppConfiguration& configuration, bool remote);
    void setHintVisible(bool visible);

    Services m_services;
    QList<AppConfigurationContext> m_preferred;
    QWidget* m_home;
    QWidget* m_hint;
    PresentationStack* m_stack;
    std::unique_ptr<ProgressIndicator> m_progress;
    // Every workflow of the shown app shares them; both are kept in place across loads, since the
    // screens of an earlier app may still be on their way out.
    WorkflowRunner::Environment m_environment;
    std::unique_ptr<TaskScreens> m_taskScreens;
    std::function<void(const AppConfiguration&)> m_onShown;
    // Set while a reload runs: it keeps the shown app until the new one has loaded.
    std::function<void(std::optional<Error>)> m_reloaded;
};

}  // namespace pathloom
