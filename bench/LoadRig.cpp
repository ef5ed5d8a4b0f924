#include "LoadRig.h"

#include "foundation/FileKeyStore.h"
#include "session/Session.h"

#include <future>

namespace pathloom::bench {

using namespace Qt::StringLiterals;

LoadRig::LoadRig() : m_delivery(DispatchQueue::serial(u"Bench.Delivery.Queue"_s)) {
    AppConfigurationManager::Sources sources;
    sources.session = std::make_shared<Session>();
    sources.cryptorLabel = u"org.pathloom.bench"_s;
    sources.keyStore = std::make_shared<FileKeyStore>(m_directory.filePath(u"keychain"_s));
    sources.documentsDirectory = m_directory.filePath(u"Documents"_s);
    sources.cachesDirectory = m_directory.filePath(u"Caches"_s);
    sources.outputDirectory = m_directory.filePath(u"Output"_s);
    sources.preferredLanguages = QStringList{u"fr"_s};
    m_manager = std::make_unique<AppConfigurationManager>(std::move(sources));
}

std::expected<AppConfiguration, Error> LoadRig::load(const AppConfigurationContext& context) {
    std::promise<std::expected<AppConfiguration, Error>> delivered;
    auto result = delivered.get_future();
    m_manager->loadAppConfiguration(
        context, m_delivery, [&delivered](std::expected<AppConfiguration, Error> configuration) {
            delivered.set_value(std::move(configuration));
        });
    return result.get();
}

AssemblyContext LoadRig::assemblyContext() const {
    return AssemblyContext{m_manager->imageLoader(), m_manager->stepsSession(),
                           m_manager->factories(),   nullptr,
                           m_manager->keyStore(),    QStringList{u"fr"_s}};
}

}  // namespace pathloom::bench
