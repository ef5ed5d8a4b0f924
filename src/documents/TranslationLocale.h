#pragma once

#include "documents/DecodingError.h"
#include "documents/ParseError.h"
#include "documents/Translation.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <expected>

namespace pathloom {

// The translation table of one language.
struct TranslationLocale {
    QString languageId;
    QList<Translation> translations;

    [[nodiscard]] static std::expected<TranslationLocale, ParseError> fromJson(
        const QJsonObject& json);

    [[nodiscard]] QJsonObject toStored() const;
    [[nodiscard]] static std::expected<TranslationLocale, DecodingError> fromStored(
        const QJsonObject& object, const QString& path = {});

    friend bool operator==(const TranslationLocale&, const TranslationLocale&) = default;
};

}  // namespace pathloom
