#pragma once

#include "documents/DecodingError.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <expected>
#include <optional>

namespace pathloom {

// Reads one object of a stored form strictly. A required key that is missing (or null) and a value
// of another type are errors; an optional key may be missing or null but not of another type.
// The first error sticks and later reads answer defaults, so a decoder reads all its fields and
// checks `error()` once at the end.
class StoredFormReader {
public:
    enum class Presence { required, optional };

    explicit StoredFormReader(QJsonObject object, QString path = {});

    [[nodiscard]] qint64 integer(QStringView key);
    [[nodiscard]] QString string(QStringView key);
    [[nodiscard]] bool boolean(QStringView key);
    [[nodiscard]] std::optional<qint64> optionalInteger(QStringView key);
    [[nodiscard]] std::optional<QString> optionalString(QStringView key);
    [[nodiscard]] std::optional<QList<qint64>> optionalIntegerList(QStringView key);

    // Each element decoded by `decode(object, path)`, which returns std::expected<T,
    // DecodingError>.
    template <typename T, typename Decode>
    [[nodiscard]] QList<T> list(QStringView key, Decode decode) {
        return optionalList<T>(key, decode, Presence::required).value_or(QList<T>{});
    }
    template <typename T, typename Decode>
    [[nodiscard]] std::optional<QList<T>> optionalList(QStringView key, Decode decode,
                                                       Presence presence = Presence::optional) {
        const std::optional<QJsonArray> array = arrayValue(key, presence);
        if (!array) {
            return std::nullopt;
        }
        QList<T> values;
        values.reserve(array->size());
        for (qsizetype i = 0; i < array->size(); ++i) {
            const QString elementPath = elementPathOf(key, i);
            if (!array->at(i).isObject()) {
                fail(DecodingError::typeMismatch(elementPath, QStringLiteral("an object")));
                return std::nullopt;
            }
            std::expected<T, DecodingError> value = decode(array->at(i).toObject(), elementPath);
            if (!value) {
                fail(value.error());
                return std::nullopt;
            }
            values.append(std::move(*value));
        }
        return values;
    }

    // The object under `key` decoded by `decode(object, path)`; nothing when missing or null.
    template <typename T, typename Decode>
    [[nodiscard]] std::optional<T> optionalValue(QStringView key, Decode decode) {
        const QJsonValue value = lookUp(key, Presence::optional, QJsonValue::Object);
        if (!value.isObject()) {
            return std::nullopt;
        }
        std::expected<T, DecodingError> decoded = decode(value.toObject(), pathOf(key));
        if (!decoded) {
            fail(decoded.error());
            return std::nullopt;
        }
        return std::move(*decoded);
    }

    // Records an error found by the decoder itself; the first error is kept.
    void fail(DecodingError error);
    [[nodiscard]] QString pathOf(QStringView key) const;
    [[nodiscard]] const std::optional<DecodingError>& error() const { return m_error; }

private:
    [[nodiscard]] std::optional<qint64> optionalIntegerOf(QStringView key, Presence presence);
    [[nodiscard]] QJsonValue lookUp(QStringView key, Presence presence, QJsonValue::Type type);
    [[nodiscard]] std::optional<QJsonArray> arrayValue(QStringView key, Presence presence);
    [[nodiscard]] QString elementPathOf(QStringView key, qsizetype index) const;

    QJsonObject m_object;
    QString m_path;
    std::optional<DecodingError> m_error;
};

}  // namespace pathloom
