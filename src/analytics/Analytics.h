#pragma once

#include "analytics/AhoyWorker.h"
#include "analytics/AnalyticsEvent.h"
#include "analytics/AnalyticsWorker.h"
#include "foundation/DebugConsole.h"

#include <QList>
#include <QUrl>
#include <memory>
#include <optional>

class QSettings;

namespace pathloom {

// Hands every analytics event to each of its workers in their order, synchronously on the
// caller's thread (the main thread in the app); it does not wait for work a worker starts. A
// value type: copies share the same workers, which live as long as the last copy.
class Analytics {
public:
    using Workers = QList<std::shared_ptr<AnalyticsWorker>>;

    Analytics() = default;
    explicit Analytics(Workers workers);

    // The dispatcher of a loaded configuration: a console worker first, then, when the
    // configuration has an analytics address, an Ahoy worker on it that keeps its visitor token
    // in `settings`. Call on the main thread.
    [[nodiscard]] static Analytics assembled(
        qint64 appId, const std::optional<QUrl>& analyticsURL, std::shared_ptr<QSettings> settings,
        const AhoyWorker::Platform& platform = AhoyWorker::Platform::current(),
        const DebugConsole& console = {});

    [[nodiscard]] const Workers& workers() const { return m_workers; }

    void log(const AnalyticsEvent& event) const;
    // The sum over the workers.
    [[nodiscard]] qsizetype requestsInFlight() const;

private:
    Workers m_workers;
};

}  // namespace pathloom
