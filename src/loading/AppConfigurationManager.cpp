#include "loading/AppConfigurationManager.h"

#include "documents/StepSources.h"
#include "documents/StoredFormWriter.h"
#include "foundation/FileKeyStore.h"
#include "foundation/Json.h"
#include "foundation/QueuedWork.h"
#include "loading/CachedImageLoader.h"
#include "loading/ConfigurationLoaderError.h"
#include "network/CredentialsStore.h"
#include "network/NetworkManager.h"
#include "network/SecurityStore.h"
#include "network/URLError.h"
#include "session/Session.h"
#include "session/URLFormatter.h"
#include "steps/PathloomStepFactory.h"
#include "steps/ResearchKitStepFactory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <future>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

QString directoryFor(const QString& given, QStandardPaths::StandardLocation role) {
    const QString directory = given.isEmpty() ? QStandardPaths::writableLocation(role) : given;
    QDir().mkpath(directory);
    return directory;
}

using LoadResult = std::expected<AppConfiguration, Error>;

}  // namespace

struct AppConfigurationManager::Pipeline {
    AssemblyContext assembly;
    CacheStorage cache;
    DebugConsole console;
    // Where the stored form of a loaded document is written while it is assembled.
    std::shared_ptr<DispatchQueue> cacheQueue;

    // The document stages (JSON, an object, the app document) and assembly. The document is kept
    // in the cache only once it has assembled, so a document that cannot be used never replaces
    // the last good one, and only while its load is the newest, so a load that was superseded
    // while it decoded never overwrites the document of the load after it. Its stored form is
    // written beside the entry on the cache queue while the steps are assembled here, and takes
    // the entry's place once they have.
    LoadResult loadDocument(QByteArray bytes, std::optional<qint64> serverId,
                            std::optional<qint64> initialWorkflowId,
                            const CancellationToken& load) const {
        std::expected<QJsonValue, JsonError> json = json::parse(bytes);
        if (!json) {
            return std::unexpected(json.error());
        }
        std::expected<AppData, Error> app =
            decodeDocument(*json, serverId, initialWorkflowId, *assembly.imageLoader);
        // The parsed tree is not needed once decoded (step contents keep the parts they share),
        // so a large document is not held twice over while it is assembled and cached.
        *json = QJsonValue();
        if (!app) {
            return std::unexpected(app.error());
        }

        std::promise<std::expected<StagedCacheEntry, Error>> staging;
        std::future<std::expected<StagedCacheEntry, Error>> staged = staging.get_future();
        // `app` is only read on both threads, and outlives the staging, which is waited for.
        cacheQueue->async([this, &app, &staging, bytes = std::move(bytes)]() mutable {
            const std::optional<StepSources> sources = StepSources::find(bytes);
            QByteArray stored = StoredFormWriter::write(*app, sources ? &*sources : nullptr);
            bytes = QByteArray();
            staging.set_value(
                cache.stageEncoded(std::move(stored), kConfigurationEntry.toString()));
        });
        LoadResult configuration = buildAppConfiguration(*app, assembly);
        std::expected<StagedCacheEntry, Error> entry = staged.get();
        // Loads are cancelled on the caller's thread before the next one is queued, and every
        // commit happens on the one background queue, so a load that passes this check commits
        // before any newer load does.
        if (configuration && !load.isCancelled()) {
            const std::expected<void, Error> saved =
                entry ? entry->commit() : std::unexpected(entry.error());
            if (!saved) {
                console.print(u"Error saving configuration: "_s +
                              saved.error().localizedDescription());
            }
        }
        return configuration;
    }

    LoadResult loadCached() const {
        const std::optional<AppData> app =
            cache.load(kConfigurationEntry.toString(), &AppData::fromStored);
        if (!app) {
            return std::unexpected(ConfigurationLoaderError::localDataNotAvailable());
        }
        return buildAppConfiguration(*app, assembly);
    }
};

AppConfigurationManager::AppConfigurationManager(
    QList<PluginType> plugins, std::shared_ptr<const AuthRedirectHandler> authRedirectHandler)
    : AppConfigurationManager(Sources{
          .session = std::make_shared<Session>(),
          .plugins = std::move(plugins),
          .outputDirectory = QStandardPaths::writableLocation(QStandardPaths::TempLocation),
          .authRedirectHandler = std::move(authRedirectHandler),
      }) {}

AppConfigurationManager::AppConfigurationManager(Sources sources)
    : m_stepsSession(sources.session ? std::move(sources.session) : std::make_shared<Session>()),
      m_cacheStorage(u""_s, CryptoManager(u""_s, nullptr)),
      m_outputDirectory(sources.outputDirectory.isEmpty()
                            ? QStandardPaths::writableLocation(QStandardPaths::TempLocation)
                            : sources.outputDirectory),
      m_operationQueue(DispatchQueue::serial(u"WorkflowsManager.Background.Queue"_s)) {
    std::shared_ptr<KeyStore> keyStore =
        sources.keyStore ? std::move(sources.keyStore) : std::make_shared<FileKeyStore>();
    const QString label = sources.cryptorLabel.value_or(bundleIdentifier());
    m_cacheStorage = sources.cacheStorage.value_or(
        CacheStorage(directoryFor(sources.documentsDirectory, QStandardPaths::AppDataLocation),
                     CryptoManager(label, keyStore)));
    std::shared_ptr<ImageLoader> imageLoader = sources.imageLoader;
    if (!imageLoader) {
        imageLoader = CachedImageLoader::create(
            CacheStorage(directoryFor(sources.cachesDirectory, QStandardPaths::CacheLocation),
                         CryptoManager(label, keyStore)),
            u":/images"_s, sources.console);
    }
    m_assembly = AssemblyContext{
        std::move(imageLoader),
        m_stepsSession,
        {std::make_shared<const PathloomStepFactory>(sources.plugins),
         std::make_shared<const ResearchKitStepFactory>()},
        sources.authRedirectHandler,
        keyStore,
        sources.preferredLanguages,
    };
    m_networkManager = NetworkManager::create(
        std::nullopt, std::make_shared<Session>(), URLFormatter::placeholderPattern.toString(),
        std::make_shared<const CredentialsStore>(std::make_shared<const SecurityStore>(keyStore)),
        sources.authRedirectHandler,
        sources.requestTimeout.value_or(RequestFactory::defaultTransferTimeout));
    m_pipeline = std::make_shared<const Pipeline>(
        Pipeline{m_assembly, m_cacheStorage, sources.console,
                 DispatchQueue::serial(u"WorkflowsManager.Cache.Queue"_s)});
}

AppConfigurationManager::~AppConfigurationManager() { m_currentTask.cancel(); }

std::expected<AppData, Error> AppConfigurationManager::decodeDocument(
    const QJsonValue& json, std::optional<qint64> serverId, std::optional<qint64> initialWorkflowId,
    ImageLoader& imageLoader) {
    if (!json.isObject()) {
        return std::unexpected(URLError(URLError::badServerResponse));
    }
    std::expected<AppData, ParseError> app =
        AppData::fromJson(json.toObject(), serverId, initialWorkflowId, imageLoader);
    if (!app) {
        return std::unexpected(app.error());
    }
    return std::move(*app);
}

QString AppConfigurationManager::bundleIdentifier() {
    const QString domain = QCoreApplication::organizationDomain();
    if (domain.isEmpty()) {
        return u"AppCryptor"_s;
    }
    QStringList parts = domain.split(u'.', Qt::SkipEmptyParts);
    std::reverse(parts.begin(), parts.end());
    if (!QCoreApplication::applicationName().isEmpty()) {
        parts.append(QCoreApplication::applicationName());
    }
    return parts.join(u'.');
}

void AppConfigurationManager::loadAppConfiguration(const AppConfigurationContext& context,
                                                   std::shared_ptr<DispatchQueue> queue,
                                                   Completion completion) {
    m_currentTask.cancel();
    const std::shared_ptr<const Pipeline> pipeline = m_pipeline;

    if (const auto* remote = std::get_if<AppConfigurationContext::Remote>(&context.source)) {
        // The network queue only receives the document; it is read, kept and assembled on the
        // background queue, like every other load.
        CancellationToken load;
        auto request = std::make_shared<Cancellable>(m_networkManager->data(
            remote->url, HTTPMethod::get, m_operationQueue, std::nullopt,
            [pipeline, serverId = remote->serverId, load, queue,
             completion](NetworkManager::DataResult bytes) {
                if (load.isCancelled()) {
                    return;
                }
                LoadResult result =
                    bytes ? pipeline->loadDocument(std::move(*bytes), serverId, std::nullopt, load)
                          : LoadResult(std::unexpected(bytes.error()));
                deliverUnlessCancelled(
                    queue, load, [completion, result = std::move(result)] { completion(result); });
            }));
        m_currentTask = Cancellable([load, request] {
            load.cancel();
            request->cancel();
        });
        return;
    }

    if (const auto* file = std::get_if<AppConfigurationContext::File>(&context.source)) {
        if (file->sessionValues) {
            for (auto it = file->sessionValues->begin(); it != file->sessionValues->end(); ++it) {
                if (it.value().isString() || it.value().isObject()) {
                    m_stepsSession->setValueProvider(it.key(), Value::fromJson(it.value()));
                }
            }
        }
        m_currentTask = runAndDeliver<LoadResult>(
            m_operationQueue,
            [pipeline, path = file->path, serverId = file->serverId,
             workflowId = file->workflowId](const CancellationToken& load) -> LoadResult {
                QFile document(path);
                if (!document.open(QIODevice::ReadOnly)) {
                    return std::unexpected(ConfigurationLoaderError::fileDataNotAvailable());
                }
                return pipeline->loadDocument(document.readAll(), serverId, workflowId, load);
            },
            std::move(queue), std::move(completion));
        return;
    }

    m_currentTask = runAndDeliver<LoadResult>(
        m_operationQueue, [pipeline](const CancellationToken&) { return pipeline->loadCached(); },
        std::move(queue), std::move(completion));
}

}  // namespace pathloom
