#pragma once

#include "documents/DecodingError.h"
#include "documents/ParseError.h"

#include <QJsonObject>
#include <QString>
#include <expected>

namespace pathloom {

// One entry of a translation table: a text in the base language and its translation.
struct Translation {
    qint64 id = 0;
    QString baseLanguageString;
    QString translatedString;
    qint64 translationLocaleId = 0;

    [[nodiscard]] static std::expected<Translation, ParseError> fromJson(const QJsonObject& json);

    [[nodiscard]] QJsonObject toStored() const;
    [[nodiscard]] static std::expected<Translation, DecodingError> fromStored(
        const QJsonObject& object, const QString& path = {});

    friend bool operator==(const Translation&, const Translation&) = default;
};

}  // namespace pathloom
