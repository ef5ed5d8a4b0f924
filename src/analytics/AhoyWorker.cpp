#include "analytics/AhoyWorker.h"

#include "analytics/PropertyDescription.h"
#include "analytics/UserDefault.h"
#include "foundation/Json.h"
#include "network/RequestFactory.h"
#include "network/URLError.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSettings>
#include <QSysInfo>
#include <QThread>
#include <cmath>
#include <limits>
#include <vector>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

const QString kVisitFailure = u"Error logging Ahoy visit: "_s;
const QString kEventFailure = u"Error logging Ahoy event: "_s;

// The endpoints, each one more path component on the base URL.
const QString kVisitsPath = u"/visits"_s;
const QString kEventsPath = u"/events"_s;

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Only the 8-4-4-4-12 form is a token; QUuid alone would also take braces.
std::optional<QUuid> uuidFromText(const QString& text) {
    if (text.size() != 36) {
        return std::nullopt;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphen ? text[i] != u'-' : !isHexDigit(text[i])) {
            return std::nullopt;
        }
    }
    return QUuid::fromString(text);
}

QString canonicalText(const QUuid& uuid) { return uuid.toString(QUuid::WithoutBraces).toUpper(); }

// ISO 8601 in UTC with whole seconds and a trailing Z.
QString timestamp() { return QDateTime::currentDateTimeUtc().toString(Qt::ISODate); }

// The JSON form of a value JSON has a form for; nothing for any other value, which is sent as
// its description instead.
std::optional<QJsonValue> nativeJson(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::UnknownType:
        case QMetaType::Nullptr:
            return QJsonValue(QJsonValue::Null);
        case QMetaType::Bool:
            return QJsonValue(value.toBool());
        case QMetaType::Int:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::SChar:
        case QMetaType::UInt:
        case QMetaType::UShort:
        case QMetaType::UChar:
            return QJsonValue(value.toLongLong());
        case QMetaType::ULong:
        case QMetaType::ULongLong: {
            const qulonglong number = value.toULongLong();
            if (number > static_cast<qulonglong>(std::numeric_limits<qint64>::max())) {
                return QJsonValue(static_cast<double>(number));
            }
            return QJsonValue(static_cast<qint64>(number));
        }
        case QMetaType::Double:
        case QMetaType::Float: {
            // JSON has no NaN or infinity.
            const double number = value.toDouble();
            return std::isfinite(number) ? std::optional(QJsonValue(number)) : std::nullopt;
        }
        case QMetaType::QString:
            return QJsonValue(value.toString());
        case QMetaType::QVariantList:
        case QMetaType::QStringList: {
            QJsonArray array;
            for (const QVariant& element : value.toList()) {
                const std::optional<QJsonValue> json = nativeJson(element);
                if (!json) {
                    return std::nullopt;
                }
                array.append(*json);
            }
            return array;
        }
        case QMetaType::QVariantMap:
        case QMetaType::QVariantHash: {
            QJsonObject object;
            const QVariantMap map = value.toMap();
            for (auto entry = map.constBegin(); entry != map.constEnd(); ++entry) {
                const std::optional<QJsonValue> json = nativeJson(entry.value());
                if (!json) {
                    return std::nullopt;
                }
                object.insert(entry.key(), *json);
            }
            return object;
        }
        default:
            return std::nullopt;
    }
}

QJsonObject eventProperties(const std::optional<QVariantMap>& properties, qint64 appId) {
    QJsonObject object;
    for (const auto& [key, value] : properties.value_or(QVariantMap()).asKeyValueRange()) {
        object.insert(key, nativeJson(value).value_or(QJsonValue(propertyDescription(value))));
    }
    object.insert(u"app_id"_s, appId);
    return object;
}

// A status in 200–299 is a success whatever the body; any other status fails with that code.
std::expected<void, Error> outcomeOf(const QNetworkReply& reply) {
    if (std::optional<URLError> error = URLError::fromReply(reply)) {
        return std::unexpected(*error);
    }
    return {};
}

QString systemName() {
    static const QHash<QString, QString> names{
        {u"android"_s, u"Android"_s}, {u"ios"_s, u"iOS"_s},   {u"macos"_s, u"macOS"_s},
        {u"osx"_s, u"macOS"_s},       {u"tvos"_s, u"tvOS"_s}, {u"watchos"_s, u"watchOS"_s},
        {u"windows"_s, u"Windows"_s},
    };
    if (const auto name = names.constFind(QSysInfo::productType()); name != names.constEnd()) {
        return *name;
    }
    if (QSysInfo::kernelType() == u"linux") {
        return u"Linux"_s;
    }
    return QSysInfo::prettyProductName();
}

// Linux goes with its kernel's version: a distribution's own version says nothing about Linux.
QString systemVersion() {
    const QString product = QSysInfo::productVersion();
    if (systemName() == u"Linux" || product.isEmpty() || product == u"unknown") {
        return QSysInfo::kernelVersion();
    }
    return product;
}

}  // namespace

// The visit request in flight and the continuations waiting for its outcome, in the order they
// came. Main thread only.
struct AhoyWorker::PendingVisit {
    std::vector<Completion> waiting;
};

AhoyWorker::Platform AhoyWorker::Platform::current() {
    const QString appVersion = QCoreApplication::applicationVersion();
    return {systemName(), appVersion.isEmpty() ? u"-"_s : appVersion, systemVersion()};
}

std::shared_ptr<AhoyWorker> AhoyWorker::create(qint64 appId, QUrl baseURL, Platform platform,
                                               URLFormatter urlFormatter,
                                               std::shared_ptr<QSettings> settings,
                                               DebugConsole console) {
    return std::shared_ptr<AhoyWorker>(new AhoyWorker(appId, std::move(baseURL),
                                                      std::move(platform), std::move(urlFormatter),
                                                      std::move(settings), std::move(console)));
}

AhoyWorker::AhoyWorker(qint64 appId, QUrl baseURL, Platform platform, URLFormatter urlFormatter,
                       std::shared_ptr<QSettings> settings, DebugConsole console)
    : m_appId(appId),
      m_baseURL(std::move(baseURL)),
      m_platform(std::move(platform)),
      m_urlFormatter(std::move(urlFormatter)),
      m_console(std::move(console)),
      m_visitToken(QUuid::createUuid()),
      m_settings(std::move(settings)),
      m_networkQueue(DispatchQueue::serial(u"Pathloom.AhoyWorker.queue"_s)) {
    m_networkQueue->sync([this] {
        QThread::currentThread()->setPriority(QThread::LowPriority);
        m_network = new QNetworkAccessManager(m_networkQueue->context());
    });
    // An unusable stored token is replaced now rather than at the first event.
    visitorToken();
}

AhoyWorker::~AhoyWorker() = default;

std::optional<QString> AhoyWorker::storedVisitorToken() const {
    const QVariant value = m_settings->value(settingsKey(UserDefault::currentVisitorToken));
    if (value.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return value.toString();
}

void AhoyWorker::setStoredVisitorToken(const std::optional<QString>& token) {
    const QString key = settingsKey(UserDefault::currentVisitorToken);
    if (token) {
        m_settings->setValue(key, *token);
    } else {
        m_settings->remove(key);
    }
    m_settings->sync();
}

QUuid AhoyWorker::visitorToken() {
    if (const std::optional<QString> stored = storedVisitorToken()) {
        if (const std::optional<QUuid> token = uuidFromText(*stored)) {
            return *token;
        }
    }
    const QUuid token = QUuid::createUuid();
    setStoredVisitorToken(canonicalText(token));
    return token;
}

AhoyWorker::Tokens AhoyWorker::currentTokens() { return {m_visitToken, visitorToken()}; }

void AhoyWorker::log(const QString& name, const std::optional<QVariantMap>& properties) {
    if (!DispatchQueue::main()->isCurrent()) {
        DispatchQueue::main()->async([weakSelf = weak_from_this(), name, properties] {
            if (const auto self = weakSelf.lock()) {
                self->log(name, properties);
            }
        });
        return;
    }
    if (m_visitLastUpdated) {
        sendEvent(name, properties);
        return;
    }
    ensureVisit([weakSelf = weak_from_this(), name, properties](const Outcome& outcome) {
        if (!outcome) {
            return;
        }
        if (const auto self = weakSelf.lock()) {
            self->log(name, properties);
        }
    });
}

void AhoyWorker::sendEvent(const QString& name, const std::optional<QVariantMap>& properties) {
    const Tokens tokens = currentTokens();
    const QJsonObject event{
        {u"name"_s, name},
        {u"properties"_s, eventProperties(properties, m_appId)},
        {u"time"_s, timestamp()},
    };
    const QJsonObject wrapper{
        {u"visit_token"_s, canonicalText(tokens.visit)},
        {u"visitor_token"_s, canonicalText(tokens.visitor)},
        {u"events"_s, QJsonArray{event}},
    };
    post(kEventsPath, wrapper, tokens,
         [weakSelf = weak_from_this(), console = m_console](const Outcome& outcome) {
             if (!outcome) {
                 console.print(kEventFailure + outcome.error().localizedDescription());
                 return;
             }
             if (const auto self = weakSelf.lock()) {
                 self->m_visitLastUpdated = QDateTime::currentDateTimeUtc();
             }
         });
}

void AhoyWorker::ensureVisit(Completion then) {
    if (m_pendingVisit) {
        m_pendingVisit->waiting.push_back(std::move(then));
        return;
    }
    auto pending = std::make_shared<PendingVisit>();
    pending->waiting.push_back(std::move(then));
    m_pendingVisit = pending;

    const Tokens tokens = currentTokens();
    const QJsonObject visit{
        {u"app_id"_s, m_appId},
        {u"visit_token"_s, canonicalText(tokens.visit)},
        {u"visitor_token"_s, canonicalText(tokens.visitor)},
        {u"platform"_s, m_platform.platform},
        {u"app_version"_s, m_platform.appVersion},
        {u"os_version"_s, m_platform.osVersion},
    };
    post(kVisitsPath, visit, tokens,
         [weakSelf = weak_from_this(), pending, console = m_console](const Outcome& outcome) {
             const auto self = weakSelf.lock();
             if (self && self->m_pendingVisit == pending) {
                 self->m_pendingVisit.reset();
             }
             if (!outcome) {
                 console.print(kVisitFailure + outcome.error().localizedDescription());
             } else if (self) {
                 self->m_visitLastUpdated = QDateTime::currentDateTimeUtc();
             }
             for (const Completion& waiting : std::exchange(pending->waiting, {})) {
                 waiting(outcome);
             }
         });
}

void AhoyWorker::post(const QString& path, const QJsonObject& body, const Tokens& tokens,
                      Completion completion) {
    // Counted until the completion has run, so that events it sends after a visit are counted
    // before the visit stops being counted.
    ++*m_requestsInFlight;
    completion = [inFlight = m_requestsInFlight,
                  completion = std::move(completion)](const Outcome& outcome) {
        completion(outcome);
        --*inFlight;
    };
    const std::optional<QUrl> url = m_urlFormatter.url(path, m_baseURL);
    if (!url) {
        DispatchQueue::main()->async([completion = std::move(completion)] {
            completion(std::unexpected(URLError(URLError::badURL)));
        });
        return;
    }
    QNetworkRequest request = RequestFactory().request(*url);
    request.setRawHeader("Content-Type", "application/json");
    request.setRawHeader("Ahoy-Visit", canonicalText(tokens.visit).toLatin1());
    request.setRawHeader("Ahoy-Visitor", canonicalText(tokens.visitor).toLatin1());

    // The queue travels with the request, so that the request outlives the worker.
    m_networkQueue->async([queue = m_networkQueue, network = m_network, request,
                           bytes = json::write(body), completion = std::move(completion)] {
        QNetworkReply* reply = network->post(request, bytes);
        QObject::connect(reply, &QNetworkReply::finished, reply, [reply, queue, completion] {
            reply->deleteLater();
            DispatchQueue::main()->async(
                [completion, outcome = outcomeOf(*reply)] { completion(outcome); });
        });
    });
}

}  // namespace pathloom
