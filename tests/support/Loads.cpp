#include "Loads.h"

#include "EventLoop.h"
#include "foundation/DispatchQueue.h"
#include "network/URLError.h"
#include "session/Session.h"

#include <gtest/gtest.h>
#include <optional>

namespace pathloom::test {

AppConfigurationManager::Sources managerSources(const QTemporaryDir& dir,
                                                std::shared_ptr<KeyStore> keys) {
    return AppConfigurationManager::Sources{
        .session = std::make_shared<Session>(),
        .cryptorLabel = QStringLiteral("Test"),
        .outputDirectory = dir.path(),
        .keyStore = std::move(keys),
        .preferredLanguages = QStringList{QStringLiteral("en")},
        .documentsDirectory = dir.filePath(QStringLiteral("documents")),
        .cachesDirectory = dir.filePath(QStringLiteral("caches")),
    };
}

std::expected<AppConfiguration, Error> load(AppConfigurationManager& manager,
                                            const AppConfigurationContext& context,
                                            int timeoutMilliseconds) {
    std::optional<std::expected<AppConfiguration, Error>> result;
    manager.loadAppConfiguration(
        context, DispatchQueue::main(),
        [&](std::expected<AppConfiguration, Error> loaded) { result = std::move(loaded); });
    EXPECT_TRUE(runUntil([&] { return result.has_value(); }, timeoutMilliseconds));
    return result.value_or(std::unexpected(URLError(URLError::timedOut)));
}

}  // namespace pathloom::test
