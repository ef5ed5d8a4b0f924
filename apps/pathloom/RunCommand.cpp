#include "RunCommand.h"

#include "analytics/AppEvent.h"
#include "network/CredentialsStore.h"
#include "network/SecurityStore.h"
#include "run/RunError.h"
#include "run/RunReport.h"
#include "run/WorkflowChoice.h"

namespace pathloom {

using namespace Qt::StringLiterals;

RunCommand::RunCommand(Options options, std::shared_ptr<Session> session,
                       std::shared_ptr<KeyStore> keyStore, std::shared_ptr<QSettings> settings,
                       QTextStream& out, QTextStream& err)
    : m_options(std::move(options)),
      m_session(std::move(session)),
      m_keyStore(std::move(keyStore)),
      m_settings(std::move(settings)),
      m_err(err),
      m_journal(out) {}

void RunCommand::start(AppConfiguration configuration, Finished finished) {
    m_finished = std::move(finished);
    m_configuration = std::move(configuration);
    if (m_options.token) {
        const Credential credential{Credential::sessionToken(), *m_options.token,
                                    QDateTime::currentDateTimeUtc().addDays(1)};
        const CredentialsStore credentials(std::make_shared<const SecurityStore>(m_keyStore));
        if (const auto stored = credentials.storeCredential(credential); !stored) {
            m_journal.fail(stored.error());
            end(1);
            return;
        }
    }
    m_analytics =
        Analytics::assembled(m_configuration->id, m_configuration->analyticsURL, m_settings);
    m_analytics.log(AppEvent::appOpened());

    const std::optional<Workflow> workflow =
        WorkflowChoice::find(m_configuration->tasks, m_options.workflow);
    if (!workflow) {
        m_journal.fail(RunError(
            u"The app has no workflow with the id or identifier '%1'."_s.arg(m_options.workflow)));
        end(1);
        return;
    }
    const std::optional<QDir> files = folder(m_options.filesDirectory, u"files"_s);
    // A given outbox is only written when an e-mail step sends, which reports a failure itself.
    const std::optional<QDir> outbox = m_options.outbox ? std::optional(QDir(*m_options.outbox))
                                                        : folder(std::nullopt, u"outbox"_s);
    if (!files || !outbox) {
        end(1);
        return;
    }
    m_files.emplace(*files);
    m_outbox.emplace(*outbox);
    m_environment.emplace(WorkflowRunner::Environment{m_configuration->tasks, m_analytics,
                                                      m_session, files->absolutePath()});
    m_context.emplace(CommandStepActor::Context{
        m_options.answers, m_journal, *m_files, *m_outbox,
        StepController::Services{&*m_outbox, files->absolutePath()}, m_options.strict});
    m_actor.emplace(*m_context,
                    [this](ORKTaskViewControllerFinishReason reason) { runEnded(reason); });
    m_actor->start(*workflow, *m_environment);
}

std::optional<QDir> RunCommand::folder(const std::optional<QString>& given, const QString& name) {
    if (!given) {
        if (!m_temporary.isValid() || !QDir(m_temporary.path()).mkpath(name)) {
            m_journal.fail(RunError(u"Could not create a temporary folder."_s));
            return std::nullopt;
        }
        return QDir(m_temporary.filePath(name));
    }
    if (!QDir().mkpath(*given)) {
        m_journal.fail(RunError(u"Could not create the folder %1."_s.arg(*given)));
        return std::nullopt;
    }
    return QDir(*given);
}

int RunCommand::loadFailed(const Error& error) {
    m_journal.fail(error);
    m_err << error.localizedDescription() << Qt::endl;
    static_cast<void>(writeReport(false));
    return 1;
}

void RunCommand::runEnded(ORKTaskViewControllerFinishReason reason) {
    end(reason == ORKTaskViewControllerFinishReason::completed && !m_journal.error() ? 0 : 1);
}

void RunCommand::end(int status) {
    m_analyticsWait.start(m_analytics, [this, status] {
        if (const std::optional<Error>& error = m_journal.error()) {
            m_err << error->localizedDescription() << Qt::endl;
        }
        const bool written = writeReport(status == 0);
        m_finished(written ? status : 1);
    });
}

bool RunCommand::writeReport(bool completed) {
    if (!m_options.reportPath) {
        return true;
    }
    const auto written = RunReport::write(m_journal, completed, *m_options.reportPath);
    if (!written) {
        m_err << written.error() << Qt::endl;
    }
    return written.has_value();
}

}  // namespace pathloom
