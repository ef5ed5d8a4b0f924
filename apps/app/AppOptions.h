#pragma once

#include "Autopilot.h"
#include "loading/AppConfigurationContext.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <expected>
#include <optional>

namespace pathloom {

// What `pathloom-app` was asked to do, read from its command line.
struct AppOptions {
    // Tried in order; none means the cached copy alone.
    QList<AppConfigurationContext> sources;
    // Whether `sources` came from the command line rather than standing in for none.
    bool sourcesGiven = false;
    // Every other "scheme://…" argument, to open once the app has started.
    QList<QUrl> launchUrls;
    // Runs on its own even when another pathloom-app uses the same data folder.
    bool newInstance = false;
    QStringList languages;
    // Stored as the session token each time an app is shown, as a host's sign-in would.
    std::optional<QString> token;
    std::optional<QString> journalPath;
    std::optional<QString> screenshotDirectory;
    // An app document shown first and again after each save, for its author.
    std::optional<AppConfigurationContext::File> watched;
    // Where sent e-mail is written; none hands it to the desktop's mail program.
    std::optional<QString> outbox;
    std::optional<int> quitAfterSeconds;
    // Quits once the app's first screen has painted, for timing the start.
    bool quitAfterFirstPaint = false;
    QSize windowSize{420, 760};

    // A walk of one workflow on the screens, reported as `pathloom run` reports.
    std::optional<Autopilot::Options> autopilot;

    // Fails with the usage problem in one sentence; `--help` gives the help text as the error
    // with `wantsHelp` set.
    [[nodiscard]] static std::expected<AppOptions, QString> parse(const QStringList& arguments,
                                                                  bool& wantsHelp);
    [[nodiscard]] static QString usage();
};

}  // namespace pathloom
