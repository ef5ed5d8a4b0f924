#pragma once

#include "AnswerSheet.h"
#include "RunJournal.h"
#include "WorkflowRun.h"
#include "analytics/Analytics.h"
#include "foundation/KeyStore.h"
#include "loading/AppConfiguration.h"
#include "session/Session.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

namespace pathloom {

// `pathloom run`: walks one workflow of a loaded app without screens, sends the analytics events
// the screens would, and writes what happened as a report. Lives on the main thread.
class RunCommand {
public:
    struct Options {
        // A workflow id, else a workflow identifier.
        QString workflow;
        AnswerSheet answers;
        std::optional<QString> reportPath;
        // Stored as the session token after the load, as a host's sign-in would.
        std::optional<QString> token;
    };
    // Receives the exit status: 0 when the task completed, 1 otherwise.
    using Finished = std::function<void(int)>;

    RunCommand(Options options, std::shared_ptr<Session> session,
               std::shared_ptr<KeyStore> keyStore, std::shared_ptr<QSettings> settings,
               QTextStream& out, QTextStream& err);

    // Runs the workflow of `configuration`; `finished` runs once, when the report is written.
    void start(AppConfiguration configuration, Finished finished);
    // Reports a load that failed; returns the exit status.
    [[nodiscard]] int loadFailed(const Error& error);

private:
    [[nodiscard]] std::optional<Workflow> chosenWorkflow() const;
    void runEnded(ORKTaskViewControllerFinishReason reason);
    // Gives the analytics requests still in flight a few seconds, then ends.
    void end(int status);
    [[nodiscard]] bool writeReport(bool completed);

    Options m_options;
    std::shared_ptr<Session> m_session;
    std::shared_ptr<KeyStore> m_keyStore;
    std::shared_ptr<QSettings> m_settings;
    QTextStream& m_err;
    RunJournal m_journal;
    QTemporaryDir m_files;
    std::optional<AppConfiguration> m_configuration;
    Analytics m_analytics;
    std::unique_ptr<WorkflowRun::Environment> m_environment;
    std::shared_ptr<WorkflowRun> m_run;
    QTimer m_analyticsWait;
    Finished m_finished;
};

}  // namespace pathloom
