#include "LaunchRouter.h"

#include "AppOptions.h"
#include "network/AuthRedirector.h"
#include "run/SourceSelection.h"
#include "shell/PathloomRootViewController.h"
#include "shell/ScreenJournal.h"

#include <QDir>

namespace pathloom {

using namespace Qt::StringLiterals;

LaunchRouter::LaunchRouter(Services services) : m_services(std::move(services)) {}

void LaunchRouter::openLinks(const QList<QUrl>& links) {
    QList<QUrl> remaining;
    for (const QUrl& link : links) {
        if (m_services.redirector.handleAuthRedirect(link)) {
            m_services.journal.record(
                u"link"_s,
                {{u"url"_s, shown(link)}, {u"understood"_s, true}, {u"redirect"_s, true}});
            continue;
        }
        remaining.append(link);
    }
    for (const QUrl& link : remaining) {
        const bool understood =
            firstValidConfiguration(m_services.schemeManagers, {link}).has_value();
        m_services.journal.record(u"link"_s,
                                  {{u"url"_s, shown(link)}, {u"understood"_s, understood}});
        if (!understood) {
            m_services.console.print(u"Launch URL not understood: "_s + shown(link));
        }
    }
    if (const std::optional<AppConfigurationContext> context =
            firstValidConfiguration(m_services.schemeManagers, remaining)) {
        m_services.root.loadAppConfiguration(*context);
    }
}

bool LaunchRouter::openForwarded(const SingleInstance::Message& message) {
    bool wantsHelp = false;
    std::expected<AppOptions, QString> options =
        AppOptions::parse(QStringList{u"pathloom-app"_s} + message.arguments, wantsHelp);
    if (!options) {
        // The problem may quote an argument, and an argument may be a link with credentials.
        m_services.console.print(u"The arguments handed over by another start cannot be read."_s);
        return false;
    }
    raiseWindow();
    m_services.journal.record(u"forwarded"_s,
                              {{u"sources"_s, options->sourcesGiven ? options->sources.size() : 0},
                               {u"links"_s, options->launchUrls.size()}});
    if (options->sourcesGiven) {
        // Relative paths name files where the other start was started.
        const QDir cwd(message.cwd);
        for (AppConfigurationContext& source : options->sources) {
            if (auto* file = std::get_if<AppConfigurationContext::File>(&source.source)) {
                file->path = cwd.absoluteFilePath(file->path);
            }
        }
        if (const std::optional<AppConfigurationContext> source =
                SourceSelection::firstUsable(options->sources, m_services.cache)) {
            m_services.root.loadAppConfiguration(*source);
        } else {
            m_services.console.print(u"None of the sources handed over can be loaded."_s);
        }
    }
    openLinks(options->launchUrls);
    return true;
}

QString LaunchRouter::shown(const QUrl& link) {
    if (!link.isValid() || link.scheme().isEmpty()) {
        return u"(not a URL)"_s;
    }
    return link.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment)
        .toString();
}

void LaunchRouter::raiseWindow() {
    QWidget* window = m_services.root.window();
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace pathloom
