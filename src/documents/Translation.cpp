#include "documents/Translation.h"

#include "documents/StoredFormReader.h"
#include "foundation/Json.h"

namespace pathloom {

using namespace Qt::StringLiterals;

std::expected<Translation, ParseError> Translation::fromJson(const QJsonObject& json) {
    const std::optional<qint64> id = json::readInteger(json, u"id");
    if (!id) {
        return std::unexpected(ParseError::invalidAppData(u"No translation Id"_s));
    }
    std::optional<QString> from = json::readString(json, u"from");
    if (!from) {
        return std::unexpected(ParseError::invalidAppData(u"No base language string"_s));
    }
    std::optional<QString> to = json::readString(json, u"to");
    if (!to) {
        return std::unexpected(ParseError::invalidAppData(u"No translated string"_s));
    }
    const std::optional<qint64> localeId = json::readInteger(json, u"locale_id");
    if (!localeId) {
        return std::unexpected(ParseError::invalidAppData(u"No translation locale Id"_s));
    }
    return Translation{*id, std::move(*from), std::move(*to), *localeId};
}

QJsonObject Translation::toStored() const {
    return {{u"id"_s, id},
            {u"from"_s, baseLanguageString},
            {u"to"_s, translatedString},
            {u"locale_id"_s, translationLocaleId}};
}

std::expected<Translation, DecodingError> Translation::fromStored(const QJsonObject& object,
                                                                  const QString& path) {
    StoredFormReader reader(object, path);
    Translation translation{reader.integer(u"id"), reader.string(u"from"), reader.string(u"to"),
                            reader.integer(u"locale_id")};
    if (reader.error()) {
        return std::unexpected(*reader.error());
    }
    return translation;
}

}  // namespace pathloom
