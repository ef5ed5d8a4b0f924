#pragma once

#include "documents/Server.h"
#include "foundation/Cancellable.h"
#include "foundation/DispatchQueue.h"
#include "foundation/Error.h"
#include "network/FileUploadUpdate.h"
#include "network/HTTPMethod.h"
#include "network/RequestFactory.h"
#include "session/NetworkStepBinaryResponse.h"
#include "session/URLFormatter.h"

#include <QByteArray>
#include <QJsonValue>
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

// A type a reply decodes into: `T::fromJson` takes any JSON value and gives a T or an error.
template <typename T>
concept JsonDecodable = requires(const QJsonValue& json) {
    { T::fromJson(json) } -> std::convertible_to<std::expected<T, Error>>;
};

// The reply to a delete: any JSON object, whose content is not used.
struct RemoteDeleteResult {
    [[nodiscard]] static std::expected<RemoteDeleteResult, Error> fromJson(const QJsonValue& json);
};

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

    [[nodiscard]] static std::shared_ptr<NetworkManager> create(
        std::optional<Server> environment, std::shared_ptr<Session> stepsSession,
        const QString& placeholderPattern,
        std::shared_ptr<const CredentialsStoreProtocol> userSessionManagement,
        std::shared_ptr<const AuthRedirectHandler> authRedirectHandler,
        std::chrono::milliseconds transferTimeout = RequestFactory::defaultTransferTimeout);
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
    // handle is kept under the `url` text, replacing (and cancelling) one kept there before. The
    // entry goes when the request ends: after the completion of a value, before that of an error.
    template <typename T>
    void request(const QString& url, HTTPMethod method, const std::shared_ptr<DispatchQueue>& queue,
                 std::function<std::expected<T, Error>(const QByteArray&)> parse,
                 std::function<void(std::expected<T, Error>)> completion) {
        deliverData(
            dataRequest(url, method), url, queue,
            [parse = std::move(parse), completion = std::move(completion)](DataResult data) {
                completion(data ? parse(*data) : std::unexpected(data.error()));
            },
            Keeping::stored);
    }

    // The same, decoding the body as JSON (a bare value included) into `T`: a body that is no
    // JSON fails with the JSON error, one that `T` does not accept with `T`'s own error.
    template <JsonDecodable T>
    void request(const QString& url, HTTPMethod method, const std::shared_ptr<DispatchQueue>& queue,
                 std::function<void(std::expected<T, Error>)> completion) {
        request<T>(url, method, queue, &decodeJson<T>, std::move(completion));
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
    // Whether deliverData keeps the request's handle under its key itself, before the request can
    // end, or gives it to the caller.
    enum class Keeping { stored, returned };

    // The body read as JSON and decoded into T.
    template <JsonDecodable T>
    static std::expected<T, Error> decodeJson(const QByteArray& body) {
        std::expected<QJsonValue, Error> json = parseReply(body);
        if (!json) {
            return std::unexpected(json.error());
        }
        return T::fromJson(*json);
    }
    [[nodiscard]] static std::expected<QJsonValue, Error> parseReply(const QByteArray& body);

    // A request that has not been sent yet, or the error that keeps it from being sent.
    [[nodiscard]] std::expected<PreparedRequest, Error> dataRequest(const QString& url,
                                                                    HTTPMethod method);
    [[nodiscard]] std::optional<Error> authorize(QNetworkRequest& request) const;
    // Sends `request` on the network queue and reports on `queue`; with a key, the entry under it
    // is removed when the request ends. With Keeping::stored the handle is kept under the key
    // before the request is sent, so that an entry never outlives its request; the handle that
    // comes back is then empty.
    Cancellable deliverData(std::expected<PreparedRequest, Error> request,
                            const std::optional<QString>& key,
                            const std::shared_ptr<DispatchQueue>& queue, DataCompletion completion,
                            Keeping keeping = Keeping::returned);
    void releaseOngoingRequest(const QString& key);

    // Made by the first networkQueue(), under m_queueMutex; never changed after.
    mutable std::mutex m_queueMutex;
    mutable std::shared_ptr<DispatchQueue> m_networkQueue;
    RequestFactory m_requests;
    std::optional<Server> m_environment;
    URLFormatter m_urlFormatter;
    std::shared_ptr<const CredentialsStoreProtocol> m_userSessionManagement;
    std::shared_ptr<const AuthRedirectHandler> m_authRedirectHandler;
    std::shared_ptr<Session> m_stepsSession;
    // Lives on the network queue's thread and is used only there.
    mutable QNetworkAccessManager* m_network = nullptr;
    // Reached from callers, the network queue and delivery queues; guarded by m_ongoingMutex.
    mutable std::mutex m_ongoingMutex;
    std::unordered_map<QString, Cancellable> m_ongoingRequests;
};

}  // namespace pathloom
