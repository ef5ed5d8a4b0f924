#include "run/SourceSelection.h"

#include "analytics/UserDefault.h"
#include "loading/AppConfigurationManager.h"
#include "network/CredentialsStoreProtocol.h"
#include "session/Session.h"

#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

bool isCached(const AppConfigurationContext& context) {
    return std::holds_alternative<AppConfigurationContext::Cached>(context.source);
}

bool isUsable(const AppConfigurationContext& context, const CacheStorage& cache) {
    if (const auto* file = std::get_if<AppConfigurationContext::File>(&context.source)) {
        return QFileInfo::exists(file->path);
    }
    if (isCached(context)) {
        return cache.contains(AppConfigurationManager::kConfigurationEntry.toString());
    }
    return true;
}

}  // namespace

AppConfigurationContext SourceSelection::fromArgument(const QString& source,
                                                      std::optional<qint64> serverId,
                                                      std::optional<qint64> initialWorkflowId,
                                                      std::optional<QJsonObject> sessionValues) {
    if (source == u"cached") {
        return AppConfigurationContext::cached();
    }
    if (source.startsWith(u"http://") || source.startsWith(u"https://")) {
        return AppConfigurationContext::remote(source, serverId);
    }
    return AppConfigurationContext::file(source, serverId, initialWorkflowId,
                                         std::move(sessionValues));
}

std::optional<AppConfigurationContext> SourceSelection::firstUsable(
    const QList<AppConfigurationContext>& preferred, const CacheStorage& cache) {
    const auto usable = std::ranges::find_if(
        preferred,
        [&](const AppConfigurationContext& context) { return isUsable(context, cache); });
    return usable != preferred.end() ? std::optional(*usable) : std::nullopt;
}

void SourceSelection::prepareForLoad(const AppConfigurationContext& context, QSettings& settings,
                                     const CredentialsStoreProtocol& credentials,
                                     Session& session) {
    if (!isCached(context)) {
        settings.remove(settingsKey(UserDefault::currentVisitorToken));
        settings.sync();
        (void)credentials.removeAllCredentials();
    }
    session.removeAllValueProviders();
}

}  // namespace pathloom
