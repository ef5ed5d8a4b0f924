#include "documents/Server.h"

#include "documents/StoredFormReader.h"
#include "foundation/Json.h"
#include "foundation/UrlParsing.h"

namespace pathloom {

using namespace Qt::StringLiterals;

std::expected<Server, ParseError> Server::fromJson(const QJsonObject& json) {
    const std::optional<qint64> id = json::readInteger(json, u"id");
    const std::optional<QString> text = json::readString(json, u"url");
    if (!id || !text) {
        return std::unexpected(ParseError::invalidAppData(u"Invalid server"_s));
    }
    std::optional<QUrl> url = parseUrlAsWritten(*text);
    if (!url) {
        return std::unexpected(ParseError::invalidAppData(u"Invalid server url: "_s + *text));
    }
    return Server{*id, std::move(*url)};
}

QJsonObject Server::toStored() const {
    return {{u"id"_s, id}, {u"url"_s, url.toString(QUrl::FullyEncoded)}};
}

std::expected<Server, DecodingError> Server::fromStored(const QJsonObject& object,
                                                        const QString& path) {
    StoredFormReader reader(object, path);
    Server server;
    server.id = reader.integer(u"id");
    const QString text = reader.string(u"url");
    if (reader.error()) {
        return std::unexpected(*reader.error());
    }
    std::optional<QUrl> url = parseUrlAsWritten(text);
    if (!url) {
        return std::unexpected(
            DecodingError::dataCorrupted(reader.pathOf(u"url"), u"not a URL: "_s + text));
    }
    server.url = std::move(*url);
    return server;
}

}  // namespace pathloom
