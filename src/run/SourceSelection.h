#pragma once

#include "loading/AppConfigurationContext.h"
#include "loading/CacheStorage.h"

#include <QList>
#include <optional>

class QSettings;

namespace pathloom {

class CredentialsStoreProtocol;
class Session;

// Where an app is loaded from at start-up, and what is cleared before a load, as every host does
// it: the screens and the command alike.
class SourceSelection {
public:
    // The source a command-line word names: "cached", an http(s) URL, else a file path. The server
    // id goes with remote and file sources; the initial workflow and session values with files.
    [[nodiscard]] static AppConfigurationContext fromArgument(
        const QString& source, std::optional<qint64> serverId = std::nullopt,
        std::optional<qint64> initialWorkflowId = std::nullopt,
        std::optional<QJsonObject> sessionValues = std::nullopt);

    // The first source of `preferred` that can be loaded: a server always, a file when something
    // exists at its path, the cache when `cache` holds the document's entry. Only existence is
    // tested; a corrupt entry or an unreadable file is found out by the load.
    [[nodiscard]] static std::optional<AppConfigurationContext> firstUsable(
        const QList<AppConfigurationContext>& preferred, const CacheStorage& cache);

    // Run before loading from `context`: a document from a server or a file starts without the
    // analytics visitor token in `settings` and without stored credentials, which the cached
    // document keeps; the session starts empty in every case. A failure to remove credentials is
    // not reported: the load goes on.
    static void prepareForLoad(const AppConfigurationContext& context, QSettings& settings,
                               const CredentialsStoreProtocol& credentials, Session& session);
};

}  // namespace pathloom
