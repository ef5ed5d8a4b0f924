#include "documents/TranslationLocale.h"

#include "documents/ParseAll.h"
#include "documents/StoredForm.h"
#include "documents/StoredFormReader.h"
#include "foundation/Json.h"

namespace pathloom {

using namespace Qt::StringLiterals;

std::expected<TranslationLocale, ParseError> TranslationLocale::fromJson(const QJsonObject& json) {
    std::optional<QString> languageId = json::readString(json, u"language_id");
    if (!languageId) {
        return std::unexpected(ParseError::invalidAppData(u"No language id"_s));
    }
    const std::optional<QList<QJsonObject>> entries = json::readObjectList(json, u"translations");
    if (!entries) {
        return std::unexpected(ParseError::invalidAppData(u"No translations provided"_s));
    }
    auto translations = parseAll(*entries, Translation::fromJson);
    if (!translations) {
        return std::unexpected(translations.error());
    }
    return TranslationLocale{std::move(*languageId), std::move(*translations)};
}

QJsonObject TranslationLocale::toStored() const {
    return {{u"language_id"_s, languageId}, {u"translations"_s, toStoredArray(translations)}};
}

std::expected<TranslationLocale, DecodingError> TranslationLocale::fromStored(
    const QJsonObject& object, const QString& path) {
    StoredFormReader reader(object, path);
    TranslationLocale locale{reader.string(u"language_id"),
                             reader.list<Translation>(u"translations", Translation::fromStored)};
    if (reader.error()) {
        return std::unexpected(*reader.error());
    }
    return locale;
}

}  // namespace pathloom
