#pragma once

#include "foundation/Cancellable.h"
#include "foundation/DebugConsole.h"
#include "foundation/DispatchQueue.h"
#include "foundation/Error.h"
#include "loading/AppAssembly.h"
#include "loading/AppConfiguration.h"
#include "loading/AppConfigurationContext.h"
#include "loading/CacheStorage.h"
#include "steps/PathloomPlugin.h"

#include <QStringList>
#include <chrono>
#include <expected>
#include <functional>
#include <memory>
#include <optional>

namespace pathloom {

class NetworkManager;

// The entry of the framework's logic: loads an app document from a server, a file or the encrypted
// cache, keeps each document that decodes in the cache, and assembles it into an AppConfiguration.
//
// Loads are started on the caller's thread; reading, decoding and assembly run on
// "WorkflowsManager.Background.Queue" (the network queue only receives a remote document), while
// "WorkflowsManager.Cache.Queue" writes the document's stored form beside the cache entry; the
// background queue alone puts it in the entry's place, so that entry changes in load order. Each
// load reports exactly once on the queue its caller names, unless a newer load started meanwhile:
// starting a load cancels the one before, whose completion then never runs. Destroying the manager
// cancels the load in flight.
class AppConfigurationManager {
public:
    using Completion = std::function<void(std::expected<AppConfiguration, Error>)>;

    // The cache entry that holds the last loaded document.
    static constexpr QStringView kConfigurationEntry = u".env";

    // Every part a manager is made of. Absent parts take their defaults: per-user directories from
    // QStandardPaths, the file key store, the image loader over the caches directory.
    struct Sources {
        std::shared_ptr<Session> session = {};
        QList<PluginType> plugins = {};
        std::shared_ptr<ImageLoader> imageLoader = {};
        std::optional<CacheStorage> cacheStorage = {};
        std::optional<QString> cryptorLabel = {};
        QString outputDirectory = {};
        std::shared_ptr<const AuthRedirectHandler> authRedirectHandler = {};
        std::shared_ptr<KeyStore> keyStore = {};
        std::optional<QStringList> preferredLanguages = {};
        QString documentsDirectory = {};
        QString cachesDirectory = {};
        // How long the document request may go without a byte before it fails with timedOut;
        // absent: the network client's default.
        std::optional<std::chrono::milliseconds> requestTimeout = {};
        // Where problems the user need not see go, such as a cache that could not be saved.
        DebugConsole console = {};
    };

    AppConfigurationManager(
        QList<PluginType> plugins,
        std::shared_ptr<const AuthRedirectHandler> authRedirectHandler = nullptr);
    explicit AppConfigurationManager(Sources sources);
    ~AppConfigurationManager();
    AppConfigurationManager(const AppConfigurationManager&) = delete;
    AppConfigurationManager& operator=(const AppConfigurationManager&) = delete;

    void loadAppConfiguration(const AppConfigurationContext& context,
                              std::shared_ptr<DispatchQueue> queue, Completion completion);

    // The app document read from `json` as every load reads it: a value that is not an object is
    // a bad server response, the rest fails as the document's own parse does.
    [[nodiscard]] static std::expected<AppData, Error> decodeDocument(
        const QJsonValue& json, std::optional<qint64> serverId,
        std::optional<qint64> initialWorkflowId, ImageLoader& imageLoader);

    // The label of the cache's key: the host's reversed organization domain and application
    // name ("com.example.Survey"), or "AppCryptor" when the host set no domain.
    [[nodiscard]] static QString bundleIdentifier();

    [[nodiscard]] const std::shared_ptr<Session>& stepsSession() const { return m_stepsSession; }
    [[nodiscard]] const QList<std::shared_ptr<const StepFactory>>& factories() const {
        return m_assembly.factories;
    }
    [[nodiscard]] const std::shared_ptr<ImageLoader>& imageLoader() const {
        return m_assembly.imageLoader;
    }
    [[nodiscard]] const CacheStorage& cacheStorage() const { return m_cacheStorage; }
    [[nodiscard]] const std::shared_ptr<NetworkManager>& networkManager() const {
        return m_networkManager;
    }
    [[nodiscard]] const QString& outputDirectory() const { return m_outputDirectory; }
    [[nodiscard]] const std::shared_ptr<KeyStore>& keyStore() const { return m_assembly.keyStore; }

private:
    struct Pipeline;

    std::shared_ptr<Session> m_stepsSession;
    AssemblyContext m_assembly;
    CacheStorage m_cacheStorage;
    // What the background stages of a load use; shared with them so that a load still running
    // when the manager goes away finds it alive.
    std::shared_ptr<const Pipeline> m_pipeline;
    QString m_outputDirectory;
    std::shared_ptr<NetworkManager> m_networkManager;
    std::shared_ptr<DispatchQueue> m_operationQueue;
    Cancellable m_currentTask;
};

}  // namespace pathloom
