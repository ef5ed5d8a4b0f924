#include "RunCommand.h"

#include "analytics/AppEvent.h"
#include "foundation/Json.h"
#include "network/CredentialsStore.h"
#include "network/SecurityStore.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kAnalyticsWaitMilliseconds = 5'000;
constexpr int kAnalyticsPollMilliseconds = 20;

}  // namespace

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

    const std::optional<Workflow> workflow = chosenWorkflow();
    if (!workflow) {
        m_journal.fail(RunError(
            u"The app has no workflow with the id or identifier '%1'."_s.arg(m_options.workflow)));
        end(1);
        return;
    }
    if (!m_files.isValid()) {
        m_journal.fail(RunError(u"Could not create a folder for captured files."_s));
        end(1);
        return;
    }
    m_environment.reset(new WorkflowRun::Environment{*m_configuration, m_options.answers,
                                                     m_analytics, m_session, QDir(m_files.path()),
                                                     m_journal});
    m_run =
        WorkflowRun::create(*workflow, *m_environment,
                            [this](ORKTaskViewControllerFinishReason reason) { runEnded(reason); });
    m_run->start();
}

int RunCommand::loadFailed(const Error& error) {
    m_journal.fail(error);
    m_err << error.localizedDescription() << Qt::endl;
    static_cast<void>(writeReport(false));
    return 1;
}

std::optional<Workflow> RunCommand::chosenWorkflow() const {
    const QList<Workflow>& workflows = m_configuration->tasks;
    bool isNumber = false;
    const qint64 id = m_options.workflow.toLongLong(&isNumber);
    if (isNumber) {
        for (const Workflow& workflow : workflows) {
            if (workflow.id == id) {
                return workflow;
            }
        }
    }
    for (const Workflow& workflow : workflows) {
        if (workflow.task->identifier == m_options.workflow) {
            return workflow;
        }
    }
    return std::nullopt;
}

void RunCommand::runEnded(ORKTaskViewControllerFinishReason reason) {
    end(reason == ORKTaskViewControllerFinishReason::completed && !m_journal.error() ? 0 : 1);
}

void RunCommand::end(int status) {
    const QDeadlineTimer deadline(kAnalyticsWaitMilliseconds);
    m_analyticsWait.setInterval(kAnalyticsPollMilliseconds);
    m_analyticsWait.callOnTimeout([this, status, deadline] {
        if (m_analytics.requestsInFlight() > 0 && !deadline.hasExpired()) {
            return;
        }
        m_analyticsWait.stop();
        if (const std::optional<Error>& error = m_journal.error()) {
            m_err << error->localizedDescription() << Qt::endl;
        }
        const bool written = writeReport(status == 0);
        m_finished(written ? status : 1);
    });
    m_analyticsWait.start(0);
}

bool RunCommand::writeReport(bool completed) {
    if (!m_options.reportPath) {
        return true;
    }
    const std::optional<Error>& error = m_journal.error();
    const QJsonObject report{
        {u"steps"_s, QJsonArray::fromStringList(m_journal.steps())},
        {u"finish"_s, completed ? u"completed"_s : u"failed"_s},
        {u"error"_s, error ? QJsonValue(error->localizedDescription()) : QJsonValue()},
        {u"session"_s, m_journal.session()},
    };
    QFile file(*m_options.reportPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(json::write(report)) < 0 || !file.flush()) {
        m_err << u"Could not write the report to %1."_s.arg(*m_options.reportPath) << Qt::endl;
        return false;
    }
    return true;
}

}  // namespace pathloom
