#include "loading/PathloomSchemeManager.h"

#include <QUrlQuery>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// The value of the first query item named `name`, when it has one.
std::optional<QString> firstValue(const QUrlQuery& query, const QString& name) {
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == name) {
            return value.isEmpty() ? std::nullopt : std::optional(value);
        }
    }
    return std::nullopt;
}

}  // namespace

PathloomSchemeManager::PathloomSchemeManager(QString version, QString debugHost, int defaultPort)
    : m_defaultPort(defaultPort),
      m_debugHost(std::move(debugHost)),
      m_version(std::move(version)) {}

std::optional<AppConfigurationContext> PathloomSchemeManager::parse(const QUrl& url) const {
    if (!url.isValid() || url.host().isEmpty() || !url.hasQuery()) {
        return std::nullopt;
    }
    const QUrlQuery query(url);
    const std::optional<QString> appId = firstValue(query, u"app_id"_s);
    const std::optional<QString> authorization = firstValue(query, u"authorization"_s);
    if (!appId || !authorization) {
        return std::nullopt;
    }

    QUrl document;
    // Host names are case-insensitive, and the URL parser gives them in lower case.
    if (url.host().compare(m_debugHost, Qt::CaseInsensitive) == 0) {
        document.setScheme(u"http"_s);
        document.setHost(m_debugHost);
        document.setPort(url.port(m_defaultPort));
    } else {
        document.setScheme(u"https"_s);
        document.setHost(url.host());
        document.setPort(url.port());
    }
    document.setPath(url.path() + u"/api/"_s + m_version + u"/apps/"_s + *appId + u".json"_s);
    // Fully percent-encoded, so that a "+" of a token is not read as a space by the server.
    document.setQuery(u"authorization="_s +
                      QString::fromLatin1(QUrl::toPercentEncoding(*authorization)));
    if (!document.isValid()) {
        return std::nullopt;
    }

    std::optional<qint64> serverId;
    if (const std::optional<QString> text = firstValue(query, u"server_id"_s)) {
        bool isNumber = false;
        const qint64 id = text->toLongLong(&isNumber, 10);
        if (isNumber) {
            serverId = id;
        }
    }
    return AppConfigurationContext::remote(document.toString(QUrl::FullyEncoded), serverId);
}

std::optional<AppConfigurationContext> firstValidConfiguration(
    const QList<std::shared_ptr<const URLSchemeManager>>& managers, const QList<QUrl>& urls) {
    for (const auto& manager : managers) {
        for (const QUrl& url : urls) {
            if (std::optional<AppConfigurationContext> context = manager->parse(url)) {
                return context;
            }
        }
    }
    return std::nullopt;
}

}  // namespace pathloom
