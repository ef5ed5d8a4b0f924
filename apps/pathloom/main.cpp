// pathloom: loads an app document the way an app does and reports on it, for app authors and CI.
//
//   pathloom validate SOURCE [options]
//   pathloom inspect SOURCE [--json] [options]
//   pathloom lint SOURCE [--json] [--languages L] [--werror] [options]
//   pathloom run SOURCE --workflow ID|IDENTIFIER [--answers FILE] [--report FILE] [--token VALUE]
//       [--outbox DIR] [--files-dir DIR] [--strict] [options]
//
// SOURCE is an http(s) URL, the word "cached" or a file path. Exit status: 0 success, 1 the load
// failed, the run did not complete (the error's description is the last text on stderr) or lint
// found errors, 2 usage.

#include "ConfigurationReport.h"
#include "LintCommand.h"
#include "RunCommand.h"
#include "foundation/DebugConsole.h"
#include "foundation/FileKeyStore.h"
#include "foundation/Json.h"
#include "foundation/KeyStoreChoice.h"
#include "loading/AppConfigurationManager.h"
#include "network/CredentialsStore.h"
#include "network/SecurityStore.h"
#include "run/DataDirectory.h"
#include "run/SourceSelection.h"
#include "session/Session.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTextStream>

using namespace pathloom;
using namespace Qt::StringLiterals;

namespace {

constexpr int kUsageError = 2;

std::optional<qint64> integerOption(const QCommandLineParser& parser, const QString& name,
                                    bool& valid) {
    if (!parser.isSet(name)) {
        return std::nullopt;
    }
    bool ok = false;
    const qint64 value = parser.value(name).toLongLong(&ok);
    valid = valid && ok;
    return ok ? std::optional(value) : std::nullopt;
}

std::optional<AppConfigurationContext> contextFor(const QString& source,
                                                  const QCommandLineParser& parser,
                                                  QString& problem) {
    bool valid = true;
    const std::optional<qint64> serverId = integerOption(parser, u"server-id"_s, valid);
    const std::optional<qint64> workflowId = integerOption(parser, u"initial-workflow"_s, valid);
    if (!valid) {
        problem = u"--server-id and --initial-workflow take whole numbers."_s;
        return std::nullopt;
    }
    std::optional<QJsonObject> sessionValues;
    if (parser.isSet(u"session-values"_s)) {
        QFile file(parser.value(u"session-values"_s));
        const auto json = file.open(QIODevice::ReadOnly)
                              ? json::parse(file.readAll())
                              : std::expected<QJsonValue, JsonError>(QJsonValue());
        if (!json || !json->isObject()) {
            problem = u"--session-values must name a file holding one JSON object."_s;
            return std::nullopt;
        }
        sessionValues = json->toObject();
    }
    return SourceSelection::fromArgument(source, serverId, workflowId, sessionValues);
}

std::optional<RunCommand::Options> runOptions(const QCommandLineParser& parser, QString& problem) {
    if (!parser.isSet(u"workflow"_s)) {
        problem = u"run needs --workflow ID or IDENTIFIER."_s;
        return std::nullopt;
    }
    RunCommand::Options options{.workflow = parser.value(u"workflow"_s),
                                .strict = parser.isSet(u"strict"_s)};
    if (parser.isSet(u"answers"_s)) {
        std::expected<AnswerSheet, QString> answers = AnswerSheet::read(parser.value(u"answers"_s));
        if (!answers) {
            problem = answers.error();
            return std::nullopt;
        }
        options.answers = std::move(*answers);
    }
    if (parser.isSet(u"report"_s)) {
        options.reportPath = parser.value(u"report"_s);
    }
    if (parser.isSet(u"token"_s)) {
        options.token = parser.value(u"token"_s);
    }
    if (parser.isSet(u"outbox"_s)) {
        options.outbox = parser.value(u"outbox"_s);
    }
    if (parser.isSet(u"files-dir"_s)) {
        options.filesDirectory = parser.value(u"files-dir"_s);
    }
    return options;
}

// Lint loads nothing into the app's own state: the session, credentials and cache stay as they
// are.
int lint(const QCommandLineParser& parser, const AppConfigurationContext& context,
         AppConfigurationManager& manager, QTextStream& out, QTextStream& err) {
    LintCommand::Options options{
        .json = parser.isSet(u"json"_s), .werror = parser.isSet(u"werror"_s), .lint = {}};
    if (parser.isSet(u"languages"_s)) {
        options.lint.languages = parser.value(u"languages"_s).split(u',', Qt::SkipEmptyParts);
    }
    std::visit(
        [&](const auto& source) {
            using Source = std::decay_t<decltype(source)>;
            if constexpr (!std::is_same_v<Source, AppConfigurationContext::Cached>) {
                options.lint.serverId = source.serverId;
            }
            if constexpr (std::is_same_v<Source, AppConfigurationContext::File>) {
                options.lint.initialWorkflowId = source.workflowId;
                const QJsonObject values = source.sessionValues.value_or(QJsonObject());
                for (auto it = values.begin(); it != values.end(); ++it) {
                    if (it.value().isString() || it.value().isObject()) {
                        options.lint.sessionNames.insert(it.key());
                    }
                }
            }
        },
        context.source);
    int status = 1;
    LintCommand command(std::move(options), manager, out, err);
    bool finished = false;
    command.start(context, [&](int result) {
        status = result;
        finished = true;
        QCoreApplication::exit(result);
    });
    if (!finished) {
        QCoreApplication::exec();
    }
    return status;
}

}  // namespace

int main(int argc, char* argv[]) {
    DataDirectory::useFromArguments(argc, argv);
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"pathloom"_s);
    QCoreApplication::setApplicationVersion(u"0.1"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Loads a Pathloom app document and reports on it."_s);
    parser.addHelpOption();
    parser.addPositionalArgument(u"command"_s, u"validate, inspect, lint or run"_s);
    parser.addPositionalArgument(u"source"_s, u"an http(s) URL, \"cached\" or a file path"_s);
    parser.addOptions({
        {u"server-id"_s, u"Id of the server to select."_s, u"N"_s},
        {u"initial-workflow"_s, u"Id of the workflow to open first (file sources)."_s, u"N"_s},
        {u"session-values"_s, u"A JSON object of values placed in the session (file sources)."_s,
         u"FILE"_s},
        {u"languages"_s,
         u"Preferred languages, for example fr-CA,en; lint: the languages to check."_s, u"LIST"_s},
        {u"data-dir"_s, u"Keep every per-user directory under DIR."_s, u"DIR"_s},
        {u"json"_s, u"inspect, lint: print JSON."_s},
        {u"werror"_s, u"lint: warnings fail too."_s},
        {u"workflow"_s, u"run: the id, else the identifier, of the workflow to walk."_s, u"ID"_s},
        {u"answers"_s, u"run: a JSON object of answers by step identifier."_s, u"FILE"_s},
        {u"report"_s, u"run: write a JSON report of the walk to FILE."_s, u"FILE"_s},
        {u"token"_s, u"run: a session token to sign in with after the load."_s, u"VALUE"_s},
        {u"outbox"_s, u"run: write e-mails as .eml files into DIR."_s, u"DIR"_s},
        {u"files-dir"_s, u"run: store captured files in DIR."_s, u"DIR"_s},
        {u"strict"_s, u"run: a required question without an answer ends the run."_s},
    });
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!parser.parse(QCoreApplication::arguments())) {
        err << parser.errorText() << '\n';
        return kUsageError;
    }
    if (parser.isSet(u"help"_s)) {
        out << parser.helpText();
        return 0;
    }
    const QStringList arguments = parser.positionalArguments();
    const QStringList commands{u"validate"_s, u"inspect"_s, u"lint"_s, u"run"_s};
    if (arguments.size() != 2 || !commands.contains(arguments[0])) {
        err << parser.helpText();
        return kUsageError;
    }
    QString problem;
    const std::optional<AppConfigurationContext> context =
        contextFor(arguments[1], parser, problem);
    std::optional<RunCommand::Options> run;
    if (context && arguments[0] == u"run") {
        run = runOptions(parser, problem);
    }
    if (!context || (arguments[0] == u"run" && !run)) {
        err << problem << '\n';
        return kUsageError;
    }

    AppConfigurationManager::Sources sources;
    sources.keyStore = KeyStoreChoice::make(FileKeyStore::defaultDirectory(), DebugConsole());
    if (parser.isSet(u"languages"_s)) {
        sources.preferredLanguages = parser.value(u"languages"_s).split(u',', Qt::SkipEmptyParts);
    }
    AppConfigurationManager manager(sources);
    if (arguments[0] == u"lint") {
        return lint(parser, *context, manager, out, err);
    }
    const auto settings = std::make_shared<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                      u"pathloom"_s, u"pathloom"_s);
    SourceSelection::prepareForLoad(
        *context, *settings,
        CredentialsStore(std::make_shared<const SecurityStore>(sources.keyStore)),
        *manager.stepsSession());
    std::optional<RunCommand> runCommand;
    if (run) {
        runCommand.emplace(std::move(*run), manager.stepsSession(), sources.keyStore, settings, out,
                           err);
    }

    int status = 1;
    manager.loadAppConfiguration(
        *context, DispatchQueue::main(), [&](std::expected<AppConfiguration, Error> result) {
            if (!result && runCommand) {
                status = runCommand->loadFailed(result.error());
            } else if (!result) {
                err << result.error().localizedDescription() << '\n';
            } else if (runCommand) {
                runCommand->start(std::move(*result), [&](int runStatus) {
                    status = runStatus;
                    QCoreApplication::exit(status);
                });
                return;
            } else if (arguments[0] == u"validate") {
                out << u"Valid: %1 (app %2), %3 workflows"_s.arg(result->name)
                           .arg(result->id)
                           .arg(result->tasks.size())
                    << '\n';
                status = 0;
            } else if (parser.isSet(u"json"_s)) {
                out << QString::fromUtf8(json::write(ConfigurationReport::toJson(*result))) << '\n';
                status = 0;
            } else {
                out << ConfigurationReport::toText(*result);
                status = 0;
            }
            QCoreApplication::exit(status);
        });
    QCoreApplication::exec();
    return status;
}
