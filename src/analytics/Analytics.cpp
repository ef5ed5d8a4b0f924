#include "analytics/Analytics.h"

#include "analytics/ConsoleWorker.h"

namespace pathloom {

Analytics::Analytics(Workers workers) : m_workers(std::move(workers)) {}

Analytics Analytics::assembled(qint64 appId, const std::optional<QUrl>& analyticsURL,
                               std::shared_ptr<QSettings> settings,
                               const AhoyWorker::Platform& platform, const DebugConsole& console) {
    Workers workers{std::make_shared<ConsoleWorker>(console)};
    if (analyticsURL) {
        workers.append(AhoyWorker::create(appId, *analyticsURL, platform, URLFormatter{},
                                          std::move(settings), console));
    }
    return Analytics(std::move(workers));
}

void Analytics::log(const AnalyticsEvent& event) const {
    const QString name = event.name();
    const std::optional<QVariantMap> properties = event.properties();
    for (const auto& worker : m_workers) {
        worker->log(name, properties);
    }
}

qsizetype Analytics::requestsInFlight() const {
    qsizetype total = 0;
    for (const auto& worker : m_workers) {
        total += worker->requestsInFlight();
    }
    return total;
}

}  // namespace pathloom
