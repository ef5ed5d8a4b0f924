#include "LintCommand.h"

#include "JsonPositions.h"
#include "foundation/DispatchQueue.h"
#include "foundation/Json.h"
#include "loading/AppConfigurationManager.h"
#include "loading/ConfigurationLoaderError.h"
#include "network/NetworkManager.h"

#include <QFile>
#include <QJsonArray>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

QJsonObject toJson(const LintFinding& finding) {
    QJsonObject object{{u"severity"_s, LintFinding::severityName(finding.severity)},
                       {u"code"_s, finding.code},
                       {u"message"_s, finding.message},
                       {u"path"_s, finding.path.text()}};
    if (finding.position) {
        object.insert(u"line"_s, finding.position->line);
        object.insert(u"column"_s, finding.position->column);
    }
    return object;
}

// FILE:LINE:COL: error: message [code], or SOURCE: path: error: message [code] when the finding
// has no place in a file.
QString line(const LintFinding& finding, const QString& source) {
    QString where = source;
    if (finding.position) {
        where += u":%1:%2"_s.arg(finding.position->line).arg(finding.position->column);
    } else if (!finding.path.isRoot()) {
        where += u": "_s + finding.path.text();
    }
    return u"%1: %2: %3 [%4]"_s.arg(where, LintFinding::severityName(finding.severity),
                                    finding.message, finding.code);
}

}  // namespace

LintCommand::LintCommand(Options options, AppConfigurationManager& manager, QTextStream& out,
                         QTextStream& err)
    : m_options(std::move(options)), m_manager(manager), m_out(out), m_err(err) {}

void LintCommand::start(const AppConfigurationContext& context, std::function<void(int)> done) {
    if (const auto* file = std::get_if<AppConfigurationContext::File>(&context.source)) {
        QFile document(file->path);
        if (!document.open(QIODevice::ReadOnly)) {
            m_err << Error(ConfigurationLoaderError::fileDataNotAvailable()).localizedDescription()
                  << '\n';
            done(1);
            return;
        }
        done(lint(document.readAll(), file->path, true));
        return;
    }
    const auto* remote = std::get_if<AppConfigurationContext::Remote>(&context.source);
    if (!remote) {
        m_err << "lint reads the app document itself: give a file or an http(s) URL.\n";
        done(2);
        return;
    }
    m_request = m_manager.networkManager()->data(
        remote->url, HTTPMethod::get, DispatchQueue::main(), std::nullopt,
        [this, url = remote->url, done = std::move(done)](NetworkManager::DataResult bytes) {
            if (!bytes) {
                m_err << bytes.error().localizedDescription() << '\n';
                done(1);
                return;
            }
            done(lint(*bytes, url, false));
        });
}

int LintCommand::lint(const QByteArray& text, const QString& source, bool isFile) {
    DocumentLinter::Options options = m_options.lint;
    options.positions = isFile;
    const std::expected<QList<LintFinding>, Error> findings =
        DocumentLinter(m_manager).lint(text, options);
    if (!findings) {
        printLoadError(findings.error(), text, source, isFile);
        return 1;
    }

    qsizetype errors = 0;
    qsizetype warnings = 0;
    QJsonArray list;
    for (const LintFinding& finding : *findings) {
        (finding.severity == LintFinding::Severity::error ? errors : warnings) += 1;
        if (m_options.json) {
            list.append(toJson(finding));
        } else {
            m_out << line(finding, source) << '\n';
        }
    }
    if (m_options.json) {
        m_out << QString::fromUtf8(json::write(list)) << '\n';
    }
    m_out.flush();
    m_err << u"%1 error%2, %3 warning%4"_s.arg(errors)
                 .arg(errors == 1 ? u""_s : u"s"_s)
                 .arg(warnings)
                 .arg(warnings == 1 ? u""_s : u"s"_s)
          << '\n';
    return errors > 0 || (m_options.werror && warnings > 0) ? 1 : 0;
}

void LintCommand::printLoadError(const Error& error, const QByteArray& text, const QString& source,
                                 bool isFile) {
    if (const JsonError* json = error.as<JsonError>(); json && isFile) {
        const LintFinding::Position at = JsonPositions::positionAt(text, json->offset);
        m_err << u"%1:%2:%3: error: "_s.arg(source).arg(at.line).arg(at.column);
    }
    m_err << error.localizedDescription() << '\n';
}

}  // namespace pathloom
