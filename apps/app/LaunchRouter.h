#pragma once

#include "SingleInstance.h"
#include "foundation/DebugConsole.h"
#include "loading/URLSchemeManager.h"

#include <QList>
#include <QUrl>
#include <memory>

namespace pathloom {

class AuthRedirector;
class CacheStorage;
class PathloomRootViewController;
class ScreenJournal;

// Sends launch links, and what a later start of the app hands over, where they belong: a link
// first to a sign-in flow waiting for its redirect, otherwise to the scheme managers, whose first
// understood link the root loads; sources load as they would from the command line. A link
// nobody understands changes nothing on screen. Links hold credentials in their query: only the
// address without its query and fragment is ever journalled or printed.
//
// Main thread only; every part outlives the router.
class LaunchRouter {
public:
    struct Services {
        PathloomRootViewController& root;
        AuthRedirector& redirector;
        QList<std::shared_ptr<const URLSchemeManager>> schemeManagers;
        const CacheStorage& cache;
        ScreenJournal& journal;
        DebugConsole console;
    };

    explicit LaunchRouter(Services services);

    void openLinks(const QList<QUrl>& links);
    // Brings the window to the front, then loads the first usable source and opens the links that
    // a later start was given. False, with nothing done, when its arguments cannot be read.
    [[nodiscard]] bool openForwarded(const SingleInstance::Message& message);

    // `link` as it may be shown: scheme, host, port and path, without user, query or fragment.
    [[nodiscard]] static QString shown(const QUrl& link);

private:
    void raiseWindow();

    Services m_services;
};

}  // namespace pathloom
