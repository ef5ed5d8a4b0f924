#include "AppOptions.h"

#include "run/SourceSelection.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

void addOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(u"Shows a Pathloom app document on screen."_s);
    parser.addHelpOption();
    parser.addPositionalArgument(
        u"sources"_s,
        u"http(s) URLs, file paths or \"cached\", tried in order; any other scheme://... "
        u"address is a launch link, opened once the app has started"_s,
        u"[SOURCE | LAUNCH-URL...]"_s);
    parser.addOptions({
        {u"server-id"_s, u"Id of the server to select."_s, u"N"_s},
        {u"initial-workflow"_s, u"Id of the workflow to open first (file sources)."_s, u"N"_s},
        {u"languages"_s, u"Preferred languages, for example fr-CA,en."_s, u"LIST"_s},
        {u"data-dir"_s, u"Keep every per-user directory under DIR."_s, u"DIR"_s},
        {u"token"_s, u"A session token to sign in with whenever an app is shown."_s, u"VALUE"_s},
        {u"journal"_s, u"Write one JSON line per screen event to FILE."_s, u"FILE"_s},
        {u"screenshot-dir"_s, u"Write one PNG per screen change into DIR."_s, u"DIR"_s},
        {u"watch"_s, u"Show FILE, and show it again each time it is saved."_s, u"FILE"_s},
        {u"outbox"_s,
         u"Write sent e-mail into DIR as .eml files instead of handing it to the "
         u"mail program."_s,
         u"DIR"_s},
        {u"quit-after"_s, u"Quit after SECONDS."_s, u"SECONDS"_s},
        {u"quit-after-first-paint"_s,
         u"Quit once the loaded app's first screen has painted, without waiting for analytics "
         u"(status 1 when nothing could be shown)."_s},
        {u"window-size"_s, u"The window's size, WIDTHxHEIGHT (420x760)."_s, u"SIZE"_s},
        {u"autopilot"_s, u"Walk --workflow on screen with the answers in FILE, then quit."_s,
         u"FILE"_s},
        {u"workflow"_s, u"autopilot: the id, else the identifier, of the workflow to walk."_s,
         u"ID"_s},
        {u"report"_s, u"autopilot: write a JSON report of the walk to FILE."_s, u"FILE"_s},
        {u"new-instance"_s,
         u"Run on its own instead of handing the sources and links to the pathloom-app already "
         u"running on the same data folder (an autopilot walk always runs on its own)."_s},
    });
}

// A "scheme://…" argument that is not an http(s) source.
bool isLaunchUrl(const QString& argument) {
    static const QRegularExpression scheme(u"^[A-Za-z][A-Za-z0-9+.-]*://"_s);
    return scheme.match(argument).hasMatch() && !argument.startsWith(u"http://") &&
           !argument.startsWith(u"https://");
}

std::optional<qint64> integer(const QCommandLineParser& parser, const QString& name, bool& valid) {
    if (!parser.isSet(name)) {
        return std::nullopt;
    }
    bool ok = false;
    const qint64 value = parser.value(name).toLongLong(&ok);
    valid = valid && ok && value >= 0;
    return ok ? std::optional(value) : std::nullopt;
}

}  // namespace

std::expected<AppOptions, QString> AppOptions::parse(const QStringList& arguments,
                                                     bool& wantsHelp) {
    QCommandLineParser parser;
    addOptions(parser);
    wantsHelp = false;
    if (!parser.parse(arguments)) {
        return std::unexpected(parser.errorText());
    }
    if (parser.isSet(u"help"_s)) {
        wantsHelp = true;
        return std::unexpected(parser.helpText());
    }
    bool valid = true;
    const std::optional<qint64> serverId = integer(parser, u"server-id"_s, valid);
    const std::optional<qint64> workflowId = integer(parser, u"initial-workflow"_s, valid);
    const std::optional<qint64> quitAfter = integer(parser, u"quit-after"_s, valid);
    if (!valid) {
        return std::unexpected(
            u"--server-id, --initial-workflow and --quit-after take whole numbers."_s);
    }
    AppOptions options;
    for (const QString& argument : parser.positionalArguments()) {
        if (isLaunchUrl(argument)) {
            options.launchUrls.append(QUrl(argument));
        } else {
            options.sources.append(SourceSelection::fromArgument(argument, serverId, workflowId));
        }
    }
    options.sourcesGiven = !options.sources.isEmpty();
    options.newInstance = parser.isSet(u"new-instance"_s);
    if (options.sources.isEmpty()) {
        options.sources.append(AppConfigurationContext::cached());
    }
    if (parser.isSet(u"languages"_s)) {
        options.languages = parser.value(u"languages"_s).split(u',', Qt::SkipEmptyParts);
    }
    if (parser.isSet(u"token"_s)) {
        options.token = parser.value(u"token"_s);
    }
    if (parser.isSet(u"journal"_s)) {
        options.journalPath = parser.value(u"journal"_s);
    }
    if (parser.isSet(u"watch"_s)) {
        options.watched = AppConfigurationContext::File{parser.value(u"watch"_s), serverId,
                                                        workflowId, std::nullopt};
        options.sources.prepend({*options.watched});
    }
    if (parser.isSet(u"outbox"_s)) {
        options.outbox = parser.value(u"outbox"_s);
    }
    if (parser.isSet(u"screenshot-dir"_s)) {
        options.screenshotDirectory = parser.value(u"screenshot-dir"_s);
    }
    options.quitAfterFirstPaint = parser.isSet(u"quit-after-first-paint"_s);
    if (quitAfter) {
        options.quitAfterSeconds = static_cast<int>(*quitAfter);
    }
    if (parser.isSet(u"window-size"_s)) {
        static const QRegularExpression size(u"^(\\d{2,5})x(\\d{2,5})$"_s);
        const QRegularExpressionMatch match = size.match(parser.value(u"window-size"_s));
        if (!match.hasMatch()) {
            return std::unexpected(u"--window-size takes WIDTHxHEIGHT, for example 420x760."_s);
        }
        options.windowSize = QSize(match.captured(1).toInt(), match.captured(2).toInt());
    }
    if (!parser.isSet(u"autopilot"_s)) {
        if (parser.isSet(u"workflow"_s) || parser.isSet(u"report"_s)) {
            return std::unexpected(u"--workflow and --report go with --autopilot."_s);
        }
        return options;
    }
    if (!parser.isSet(u"workflow"_s)) {
        return std::unexpected(u"--autopilot needs --workflow ID or IDENTIFIER."_s);
    }
    std::expected<AnswerSheet, QString> answers = AnswerSheet::read(parser.value(u"autopilot"_s));
    if (!answers) {
        return std::unexpected(answers.error());
    }
    options.autopilot = Autopilot::Options{
        parser.value(u"workflow"_s), std::move(*answers),
        parser.isSet(u"report"_s) ? std::optional(parser.value(u"report"_s)) : std::nullopt};
    return options;
}

QString AppOptions::usage() {
    QCommandLineParser parser;
    addOptions(parser);
    return parser.helpText();
}

}  // namespace pathloom
