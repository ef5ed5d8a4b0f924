#pragma once

#include "analytics/AnalyticsWorker.h"
#include "foundation/DebugConsole.h"
#include "foundation/DispatchQueue.h"
#include "foundation/Error.h"
#include "session/URLFormatter.h"

#include <QDateTime>
#include <QJsonObject>
#include <QUrl>
#include <QUuid>
#include <expected>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QSettings;

namespace pathloom {

// Reports analytics events to a server that speaks the Ahoy visits/events protocol: a visit
// (a JSON POST to <base>/visits) before the first event, then one POST to <base>/events per
// event, sent only once a visit or an earlier event has succeeded. Events logged while the visit
// is pending wait for it and are dropped when it fails; the next event then starts a new visit.
// Every request carries this worker's visit token and the device's visitor token, which is kept
// in the settings under "ahoy.currentVisitorToken" across launches and workers.
//
// Create, call and drop the worker on the main thread; log() returns at once. Requests are
// started on the worker's serial queue "Pathloom.AhoyWorker.queue" and their outcomes are handled
// on the main thread. Failures are written to the debug console, never retried and never
// reported to the caller. A request still in flight when the worker goes completes, and its
// failure still reaches the console, but it changes nothing and sends nothing more.
class AhoyWorker final : public AnalyticsWorker, public std::enable_shared_from_this<AhoyWorker> {
public:
    // What a visit says about the system and the app.
    struct Platform {
        QString platform;
        QString appVersion;
        QString osVersion;

        // The running system's product name ("Linux" for every Linux distribution, "Windows",
        // "macOS", ...) and version, and the application's version or "-" when it has none.
        [[nodiscard]] static Platform current();
    };

    // Stores a new visitor token first when the settings hold none or one that is not a UUID.
    [[nodiscard]] static std::shared_ptr<AhoyWorker> create(qint64 appId, QUrl baseURL,
                                                            Platform platform,
                                                            URLFormatter urlFormatter,
                                                            std::shared_ptr<QSettings> settings,
                                                            DebugConsole console = {});
    ~AhoyWorker() override;
    AhoyWorker(const AhoyWorker&) = delete;
    AhoyWorker& operator=(const AhoyWorker&) = delete;

    void log(const QString& name, const std::optional<QVariantMap>& properties) override;
    // Posts not yet answered. Events waiting for the visit are sent before the visit's post
    // stops counting, so zero means nothing is left to send.
    [[nodiscard]] qsizetype requestsInFlight() const override { return *m_requestsInFlight; }

    [[nodiscard]] qint64 appId() const { return m_appId; }
    [[nodiscard]] const QUrl& baseURL() const { return m_baseURL; }
    [[nodiscard]] const Platform& platform() const { return m_platform; }
    // New for every worker; never changes.
    [[nodiscard]] const QUuid& visitToken() const { return m_visitToken; }
    [[nodiscard]] const std::shared_ptr<DispatchQueue>& networkQueue() const {
        return m_networkQueue;
    }

    // The settings value of the visitor token when it is text; setting nothing removes it.
    [[nodiscard]] std::optional<QString> storedVisitorToken() const;
    void setStoredVisitorToken(const std::optional<QString>& token);

private:
    using Outcome = std::expected<void, Error>;
    using Completion = std::function<void(const Outcome&)>;
    struct Tokens {
        QUuid visit;
        QUuid visitor;
    };
    struct PendingVisit;

    AhoyWorker(qint64 appId, QUrl baseURL, Platform platform, URLFormatter urlFormatter,
               std::shared_ptr<QSettings> settings, DebugConsole console);

    // The stored visitor token; a new one is stored first when there is no valid one, so that a
    // token removed while the worker lives is replaced as a new worker would replace it.
    QUuid visitorToken();
    [[nodiscard]] Tokens currentTokens();
    void sendEvent(const QString& name, const std::optional<QVariantMap>& properties);
    // Runs `then` once with the outcome of the pending visit, starting one when none is pending.
    void ensureVisit(Completion then);
    // Posts `body` to `path` on the base URL; `completion` runs once on the main thread, even
    // after the worker has gone.
    void post(const QString& path, const QJsonObject& body, const Tokens& tokens,
              Completion completion);

    const qint64 m_appId;
    const QUrl m_baseURL;
    const Platform m_platform;
    const URLFormatter m_urlFormatter;
    const DebugConsole m_console;
    const QUuid m_visitToken;
    std::shared_ptr<QSettings> m_settings;
    std::shared_ptr<DispatchQueue> m_networkQueue;
    // A child of the network queue's context: it lives on that queue's thread, is used only there
    // and goes with the queue, which requests in flight keep alive.
    QNetworkAccessManager* m_network = nullptr;
    // Main thread only, like m_pendingVisit and m_settings. Only its presence is consulted.
    std::optional<QDateTime> m_visitLastUpdated;
    std::shared_ptr<PendingVisit> m_pendingVisit;
    // Main thread only. Shared with the completions of the posts, which may outlive the worker.
    std::shared_ptr<qsizetype> m_requestsInFlight = std::make_shared<qsizetype>(0);
};

}  // namespace pathloom
