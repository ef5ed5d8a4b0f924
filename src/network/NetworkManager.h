#pragma once

#include "documents/Server.h"
#include "foundation/Cancellable.h"
#include "foundation/DispatchQueue.h"
#include "foundation/Error.h"
#include "network/FileUploadUpdate.h"
#include "network/HTTPMethod.h"
#include "session/NetworkStepBinaryResponse.h"
#include "session/URLFormatter.h"

#include <QByteArray>
#include <QMutex>
#include <QNetworkRequest>
#include <QUrl>
#include <chrono>
#include <expected>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

class QNetworkAccessManager;

namespace pathloom {

class AuthRedirectHandler;
class CredentialsStoreProtocol;
class Session;

// The framework's HTTP client. It resolves URL templates against its server and the shared
// session, adds the stored session token as a bearer header, sends on its own serial queue
// "Pathloom.NetworkManager.queue", treats a status outside 200–299 as an error, and keeps one
// cancellable handle per running request.
//
// Every request reports exactly once on the queue its caller names, or never when it was
// cancelled; build failures of the session post and of uploads are reported at once on the
// calling thread. Dropping the client cancels its running requests.
class NetworkManager : public std::enable_shared_from_this<NetworkManager> {
public:
    using DataResult = std::expected<QByteArray, Error>;
    using DataCompletion = std::function<void(DataResult)>;

    // A request ready to be sent: what the session post builds before the network step sends it.
    struct PreparedRequest {
        QNetworkRequest request;
        QByteArray method;
        QByteArray body;
    };

    // How long a request may go without a byte sent or received before it fails with timedOut.
    static constexpr std::chrono::milliseconds defaultTransferTimeout{60'000};

    [[nodiscard]] static std::shared_ptr<NetworkManager> create(
        std::optional<Server> environment, std::shared_ptr<Session> stepsSession,
        const QString& placeholderPattern,
        std::shared_ptr<const CredentialsStoreProtocol> userSessionManagement,
        std::shared_ptr<const AuthRedirectHandler> authRedirectHandler,
        std::chrono::milliseconds transferTimeout = defaultTransferTimeout);
    ~NetworkManager();
    NetworkManager(const NetworkManager&) = delete;
    NetworkManager& operator=(const NetworkManager&) = delete;

    [[nodiscard]] const std::optional<Server>& environment() const { return m_environment; }
    [[nodiscard]] const std::shared_ptr<Session>& stepsSession() const { return m_stepsSession; }
    [[nodiscard]] const std::shared_ptr<const AuthRedirectHandler>& authRedirectHandler() const {
        return m_authRedirectHandler;
    }
    // The queue "Pathloom.NetworkManager.queue", started by the first call.
    [[nodiscard]] const std::shared_ptr<DispatchQueue>& networkQueue() const;

    // Sends a request and hands the body to `parse`; reports its value or error. The request's
    // handle is kept under the `url` text, replacing (and cancelling) one kept there before.
    template <typename T>
    void request(const QString& url, HTTPMethod method, const std::shared_ptr<DispatchQueue>& queue,
                 std::function<std::expected<T, Error>(const QByteArray&)> parse,
                 std::function<void(std::expected<T, Error>)> completion) {
        storeOngoingRequest(
            deliverData(
                dataRequest(url, method), url, queue,
                [parse = std::move(parse), completion = std::move(completion)](DataResult data) {
                    completion(data ? parse(*data) : std::unexpected(data.error()));
                }),
            url);
    }

    // Posts the session as JSON to `url`; reports the response body.
    void postSession(const QString& url, const std::shared_ptr<DispatchQueue>& queue,
                     DataCompletion completion);

    // The URL a template leads to: resolved against the server and the session when there is a
    // server, else the template parsed as it is.
    [[nodiscard]] std::optional<QUrl> url(const QString& urlTemplate) const;

    // Sends `method` to `url` and reports the body on `queue`; when `key` is given, its entry in
    // the ongoing requests is removed when the request ends. Repeating a request for the same
    // absolute URL cancels the one kept under that URL's text. Storing the handle is the caller's.
    [[nodiscard]] Cancellable data(const QString& url, HTTPMethod method,
                                   const std::shared_ptr<DispatchQueue>& queue,
                                   const std::optional<QString>& key, DataCompletion completion);

    // The session post, built but not sent.
    [[nodiscard]] std::expected<PreparedRequest, Error> sessionPostRequest(
        const QString& url) const;
    // Sends a prepared request and reports its body, like data().
    [[nodiscard]] Cancellable send(PreparedRequest request,
                                   const std::shared_ptr<DispatchQueue>& queue,
                                   const std::optional<QString>& key, DataCompletion completion);

    // Uploads each file the server asked for: `uploaded` per file as it finishes, then `completed`;
    // the first failure reports `failed` and cancels the rest.
    void uploadBinaries(const QList<NetworkStepBinaryResponse>& binaries,
                        const std::shared_ptr<DispatchQueue>& queue,
                        std::function<void(FileUploadUpdate)> completion);

    void storeOngoingRequest(Cancellable handle, const QString& key);
    void removeOngoingRequest(const QString& key);
    [[nodiscard]] bool hasOngoingRequest(const QString& key) const;

private:
    NetworkManager(std::optional<Server> environment, std::shared_ptr<Session> stepsSession,
                   const QString& placeholderPattern,
                   std::shared_ptr<const CredentialsStoreProtocol> userSessionManagement,
                   std::shared_ptr<const AuthRedirectHandler> authRedirectHandler,
                   std::chrono::milliseconds transferTimeout);

    struct Exchange;
    using Outcome = std::function<void(DataResult)>;

    // A request that has not been sent yet, or the error that keeps it from being sent.
    [[nodiscard]] std::expected<PreparedRequest, Error> dataRequest(const QString& url,
                                                                    HTTPMethod method);
    [[nodiscard]] std::optional<Error> authorize(QNetworkRequest& request) const;
    // Sends on the network queue; `outcome` runs there when the exchange ends, unless cancelled.
    [[nodiscard]] Cancellable start(PreparedRequest request, Outcome outcome);
    [[nodiscard]] Cancellable deliverData(std::expected<PreparedRequest, Error> request,
                                          const std::optional<QString>& key,
                                          const std::shared_ptr<DispatchQueue>& queue,
                                          DataCompletion completion);
    void releaseOngoingRequest(const QString& key);
    [[nodiscard]] QNetworkRequest baseRequest(const QUrl& url) const;

    // Made once, by the first networkQueue() (m_queueOnce), then only read.
    mutable std::once_flag m_queueOnce;
    mutable std::shared_ptr<DispatchQueue> m_networkQueue;
    std::chrono::milliseconds m_transferTimeout;
    std::optional<Server> m_environment;
    URLFormatter m_urlFormatter;
    std::shared_ptr<const CredentialsStoreProtocol> m_userSessionManagement;
    std::shared_ptr<const AuthRedirectHandler> m_authRedirectHandler;
    std::shared_ptr<Session> m_stepsSession;
    // Lives on the network queue's thread and is used only there.
    mutable QNetworkAccessManager* m_network = nullptr;
    // Reached from callers, the network queue and delivery queues; guarded by m_ongoingMutex.
    mutable QMutex m_ongoingMutex;
    std::unordered_map<QString, Cancellable> m_ongoingRequests;
};

}  // namespace pathloom
