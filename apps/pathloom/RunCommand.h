#pragma once

#include "CommandStepActor.h"
#include "analytics/Analytics.h"
#include "foundation/KeyStore.h"
#include "loading/AppConfiguration.h"
#include "run/AnalyticsWait.h"
#include "run/AnswerSheet.h"
#include "run/CapturedFiles.h"
#include "run/OutboxMailComposer.h"
#include "run/RunJournal.h"
#include "run/WorkflowRunner.h"
#include "session/Session.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
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
        AnswerSheet answers = {};
        std::optional<QString> reportPath = {};
        // Stored as the session token after the load, as a host's sign-in would.
        std::optional<QString> token = {};
        // Where e-mails are written as .eml files; a temporary folder when not given.
        std::optional<QString> outbox = {};
        // Where captures are stored; a temporary folder when not given.
        std::optional<QString> filesDirectory = {};
        // A required question without an answer ends the run instead of going on.
        bool strict = false;
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
    // The folder given, made when missing, else a new folder in `temporary`.
    [[nodiscard]] std::optional<QDir> folder(const std::optional<QString>& given,
                                             const QString& name);
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
    QTemporaryDir m_temporary;
    std::optional<AppConfiguration> m_configuration;
    Analytics m_analytics;
    std::optional<CapturedFiles> m_files;
    std::optional<OutboxMailComposer> m_outbox;
    std::optional<WorkflowRunner::Environment> m_environment;
    std::optional<CommandStepActor::Context> m_context;
    std::optional<CommandStepActor> m_actor;
    AnalyticsWait m_analyticsWait;
    Finished m_finished;
};

}  // namespace pathloom
