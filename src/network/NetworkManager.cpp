#include "network/NetworkManager.h"

#include "documents/DecodingError.h"
#include "foundation/Json.h"
#include "foundation/QueuedWork.h"
#include "foundation/UrlParsing.h"
#include "network/CredentialsStoreProtocol.h"
#include "network/URLError.h"
#include "session/Session.h"
#include "session/SessionProviders.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QUuid>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// The body of an answer with a status in 200–299; the status or transport error otherwise.
NetworkManager::DataResult validate(QNetworkReply& reply) {
    if (std::optional<URLError> error = URLError::fromReply(reply)) {
        return std::unexpected(*error);
    }
    return reply.readAll();
}

}  // namespace

// One request on the wire. `cancelled` is raised from any thread; `reply` is touched only on the
// network queue.
struct NetworkManager::Exchange {
    CancellationToken cancelled;
    QPointer<QNetworkReply> reply;
};

std::expected<RemoteDeleteResult, Error> RemoteDeleteResult::fromJson(const QJsonValue& json) {
    if (!json.isObject()) {
        return std::unexpected(DecodingError::typeMismatch({}, u"an object"_s));
    }
    return RemoteDeleteResult{};
}

std::expected<QJsonValue, Error> NetworkManager::parseReply(const QByteArray& body) {
    std::expected<QJsonValue, JsonError> json = json::parse(body, json::Fragments::allowed);
    if (!json) {
        return std::unexpected(json.error());
    }
    return *json;
}

std::shared_ptr<NetworkManager> NetworkManager::create(
    std::optional<Server> environment, std::shared_ptr<Session> stepsSession,
    const QString& placeholderPattern,
    std::shared_ptr<const CredentialsStoreProtocol> userSessionManagement,
    std::shared_ptr<const AuthRedirectHandler> authRedirectHandler,
    std::chrono::milliseconds transferTimeout) {
    return std::shared_ptr<NetworkManager>(new NetworkManager(
        std::move(environment), std::move(stepsSession), placeholderPattern,
        std::move(userSessionManagement), std::move(authRedirectHandler), transferTimeout));
}

NetworkManager::NetworkManager(
    std::optional<Server> environment, std::shared_ptr<Session> stepsSession,
    const QString& placeholderPattern,
    std::shared_ptr<const CredentialsStoreProtocol> userSessionManagement,
    std::shared_ptr<const AuthRedirectHandler> authRedirectHandler,
    std::chrono::milliseconds transferTimeout)
    : m_requests(transferTimeout),
      m_environment(std::move(environment)),
      m_userSessionManagement(std::move(userSessionManagement)),
      m_authRedirectHandler(std::move(authRedirectHandler)),
      m_stepsSession(std::move(stepsSession)) {
    m_urlFormatter.regex = placeholderPattern;
}

NetworkManager::~NetworkManager() {
    {
        const std::lock_guard lock(m_ongoingMutex);
        m_ongoingRequests.clear();
    }
    // The access manager and its replies belong to the network queue's thread, if it ever ran.
    if (m_networkQueue && m_networkQueue->isCurrent()) {
        // Released by work of the queue itself, perhaps from inside one of the access manager's
        // own signals: it goes once that work has returned.
        m_network->deleteLater();
    } else if (m_networkQueue) {
        m_networkQueue->sync([network = m_network] { delete network; });
    }
}

const std::shared_ptr<DispatchQueue>& NetworkManager::networkQueue() const {
    // Every workflow of an app gets a client of its own and most never send a request, so the
    // queue's thread and the access manager on it are made when first needed.
    const std::lock_guard lock(m_queueMutex);
    if (!m_networkQueue) {
        m_networkQueue = DispatchQueue::serial(u"Pathloom.NetworkManager.queue"_s);
        m_networkQueue->sync([this] { m_network = new QNetworkAccessManager(); });
    }
    return m_networkQueue;
}

std::optional<QUrl> NetworkManager::url(const QString& urlTemplate) const {
    if (m_environment) {
        return m_urlFormatter.url(urlTemplate, m_environment->url, m_stepsSession.get());
    }
    return parseUrl(urlTemplate);
}

std::optional<Error> NetworkManager::authorize(QNetworkRequest& request) const {
    if (!m_userSessionManagement) {
        return std::nullopt;
    }
    const auto credential = m_userSessionManagement->credential(u"sessionToken"_s);
    if (!credential) {
        return URLError(URLError::secureConnectionFailed);
    }
    if (*credential) {
        request.setRawHeader("AUTHORIZATION", "Bearer " + (*credential)->value.toUtf8());
    }
    return std::nullopt;
}

std::expected<NetworkManager::PreparedRequest, Error> NetworkManager::dataRequest(
    const QString& urlTemplate, HTTPMethod method) {
    const std::optional<QUrl> resolved = url(urlTemplate);
    if (!resolved) {
        return std::unexpected(URLError(URLError::badURL));
    }
    {
        const std::lock_guard lock(m_ongoingMutex);
        const auto earlier = m_ongoingRequests.find(resolved->toString(QUrl::FullyEncoded));
        if (earlier != m_ongoingRequests.end()) {
            earlier->second.cancel();
        }
    }
    PreparedRequest prepared{m_requests.request(*resolved), rawValue(method).toLatin1(), {}};
    if (std::optional<Error> error = authorize(prepared.request)) {
        return std::unexpected(*error);
    }
    return prepared;
}

Cancellable NetworkManager::data(const QString& urlTemplate, HTTPMethod method,
                                 const std::shared_ptr<DispatchQueue>& queue,
                                 const std::optional<QString>& key, DataCompletion completion) {
    return deliverData(dataRequest(urlTemplate, method), key, queue, std::move(completion));
}

Cancellable NetworkManager::send(PreparedRequest request,
                                 const std::shared_ptr<DispatchQueue>& queue,
                                 const std::optional<QString>& key, DataCompletion completion) {
    return deliverData(std::move(request), key, queue, std::move(completion));
}

Cancellable NetworkManager::deliverData(std::expected<PreparedRequest, Error> request,
                                        const std::optional<QString>& key,
                                        const std::shared_ptr<DispatchQueue>& queue,
                                        DataCompletion completion, Keeping keeping) {
    auto exchange = std::make_shared<Exchange>();
    const std::weak_ptr<NetworkManager> weakSelf = weak_from_this();
    // A value is reported before the entry goes; an error after it, so that a caller who retries
    // from the completion finds no entry in the way.
    const auto deliver = [exchange, weakSelf, key, queue, completion](DataResult result) {
        deliverUnlessCancelled(queue, exchange->cancelled, [weakSelf, key, completion, result] {
            if (result) {
                completion(result);
            }
            if (const auto self = weakSelf.lock(); self && key) {
                self->releaseOngoingRequest(*key);
            }
            if (!result) {
                completion(result);
            }
        });
    };
    Cancellable handle([exchange, queue = networkQueue()] {
        exchange->cancelled.cancel();
        queue->async([exchange] {
            if (exchange->reply) {
                exchange->reply->abort();
            }
        });
    });
    if (keeping == Keeping::stored && key) {
        storeOngoingRequest(std::move(handle), *key);
    }
    if (!request) {
        deliver(std::unexpected(request.error()));
        return handle;
    }
    const QString absolute = request->request.url().toString(QUrl::FullyEncoded);
    networkQueue()->async([exchange, weakSelf, absolute, deliver, prepared = std::move(*request)] {
        const auto self = weakSelf.lock();
        if (!self || exchange->cancelled.isCancelled()) {
            return;
        }
        QNetworkReply* reply =
            self->m_network->sendCustomRequest(prepared.request, prepared.method, prepared.body);
        exchange->reply = reply;
        QObject::connect(reply, &QNetworkReply::finished, reply,
                         [reply, exchange, weakSelf, absolute, deliver] {
                             reply->deleteLater();
                             if (exchange->cancelled.isCancelled()) {
                                 return;
                             }
                             if (const auto owner = weakSelf.lock()) {
                                 owner->releaseOngoingRequest(absolute);
                             }
                             deliver(validate(*reply));
                         });
    });
    return handle;
}

std::expected<NetworkManager::PreparedRequest, Error> NetworkManager::sessionPostRequest(
    const QString& urlTemplate) const {
    const std::optional<QUrl> resolved = url(urlTemplate);
    if (!resolved) {
        return std::unexpected(URLError(URLError::badURL));
    }
    QByteArray body = "{\"payload\": " + m_stepsSession->jsonRepresentation().value_or("{}");
    const QList<std::shared_ptr<const BinaryProvider>> binaries = m_stepsSession->binaryProviders();
    for (qsizetype i = 0; i < binaries.size(); ++i) {
        body += i == 0 ? ", \"binaries\": [" : ",";
        body += "{\"identifier\": ";
        json::appendQuoted(body, binaries[i]->identifier());
        if (const std::optional<QString> mimeType = binaries[i]->mimeType()) {
            body += ",\"mimetype\": ";
            json::appendQuoted(body, *mimeType);
        }
        body += '}';
    }
    if (!binaries.isEmpty()) {
        body += ']';
    }
    body += '}';

    PreparedRequest prepared{m_requests.request(*resolved), "POST", body};
    prepared.request.setRawHeader("Content-Type", "application/json");
    if (std::optional<Error> error = authorize(prepared.request)) {
        return std::unexpected(*error);
    }
    return prepared;
}

void NetworkManager::postSession(const QString& urlTemplate,
                                 const std::shared_ptr<DispatchQueue>& queue,
                                 DataCompletion completion) {
    std::expected<PreparedRequest, Error> request = sessionPostRequest(urlTemplate);
    if (!request) {
        completion(std::unexpected(request.error()));
        return;
    }
    deliverData(std::move(request), urlTemplate, queue, std::move(completion), Keeping::stored);
}

void NetworkManager::uploadBinaries(const QList<NetworkStepBinaryResponse>& binaries,
                                    const std::shared_ptr<DispatchQueue>& queue,
                                    std::function<void(FileUploadUpdate)> completion) {
    struct Upload {
        QString identifier;
        PreparedRequest request;
    };
    QList<Upload> uploads;
    const Session::Providers entries = m_stepsSession->valueProviders();
    for (const NetworkStepBinaryResponse& binary : binaries) {
        const std::optional<QUrl> resolved = url(binary.url);
        if (!resolved) {
            completion(FileUploadUpdate::failed(URLError(URLError::badURL)));
            return;
        }
        const auto provider = providers::binaryProvider(entries.value(binary.identifier));
        const std::optional<QByteArray> bytes = provider ? provider->data() : std::nullopt;
        if (!bytes) {
            completion(FileUploadUpdate::failed(URLError(URLError::cannotOpenFile)));
            return;
        }
        PreparedRequest request{m_requests.request(*resolved), binary.method.toLatin1(), *bytes};
        if (const std::optional<QString> mimeType = provider->mimeType()) {
            request.request.setRawHeader("Content-Type", mimeType->toUtf8());
        }
        request.request.setRawHeader("Content-Length", QByteArray::number(bytes->size()));
        uploads.append({binary.identifier, std::move(request)});
    }

    // The run's state belongs to the network queue: the uploads are started there and every one
    // of them ends there, so an early failure that drops the others never meets a start.
    struct Run {
        qsizetype remaining = 0;
        bool failed = false;
        std::vector<Cancellable> exchanges;
    };
    const QString key = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    CancellationToken cancelled;
    const std::weak_ptr<NetworkManager> weakSelf = weak_from_this();
    const auto report = [cancelled, queue, completion, weakSelf, key](FileUploadUpdate update) {
        deliverUnlessCancelled(queue, cancelled, [completion, weakSelf, key, update] {
            if (update.kind != FileUploadUpdate::Kind::uploaded) {
                if (const auto self = weakSelf.lock()) {
                    self->releaseOngoingRequest(key);
                }
            }
            completion(update);
        });
    };
    auto run = std::make_shared<Run>();
    storeOngoingRequest(Cancellable([cancelled, run, network = networkQueue()] {
                            cancelled.cancel();
                            network->async([run] { run->exchanges.clear(); });
                        }),
                        key);
    if (uploads.isEmpty()) {
        report(FileUploadUpdate::completed());
        return;
    }
    networkQueue()->async([weakSelf, run, report, cancelled, uploads = std::move(uploads)] {
        const auto self = weakSelf.lock();
        if (!self || cancelled.isCancelled()) {
            return;
        }
        run->remaining = uploads.size();
        for (const Upload& upload : uploads) {
            run->exchanges.push_back(
                self->deliverData(upload.request, std::nullopt, self->networkQueue(),
                                  [run, report, identifier = upload.identifier](DataResult result) {
                                      if (run->failed) {
                                          return;
                                      }
                                      if (!result) {
                                          run->failed = true;
                                          run->exchanges.clear();
                                          report(FileUploadUpdate::failed(result.error()));
                                          return;
                                      }
                                      report(FileUploadUpdate::uploaded(identifier));
                                      if (--run->remaining == 0) {
                                          report(FileUploadUpdate::completed());
                                      }
                                  }));
        }
    });
}

void NetworkManager::storeOngoingRequest(Cancellable handle, const QString& key) {
    Cancellable replaced;
    {
        const std::lock_guard lock(m_ongoingMutex);
        replaced = std::exchange(m_ongoingRequests[key], std::move(handle));
    }
}

void NetworkManager::removeOngoingRequest(const QString& key) {
    Cancellable removed;
    {
        const std::lock_guard lock(m_ongoingMutex);
        const auto found = m_ongoingRequests.find(key);
        if (found != m_ongoingRequests.end()) {
            removed = std::move(found->second);
            m_ongoingRequests.erase(found);
        }
    }
}

bool NetworkManager::hasOngoingRequest(const QString& key) const {
    const std::lock_guard lock(m_ongoingMutex);
    return m_ongoingRequests.contains(key);
}

void NetworkManager::releaseOngoingRequest(const QString& key) {
    const std::lock_guard lock(m_ongoingMutex);
    const auto found = m_ongoingRequests.find(key);
    if (found != m_ongoingRequests.end()) {
        found->second.release();
        m_ongoingRequests.erase(found);
    }
}

}  // namespace pathloom
