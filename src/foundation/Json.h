#pragma once

#include "foundation/JsonError.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QStringView>
#include <expected>
#include <optional>

// The one place where JSON text is read and written, and the lenient value readers that every
// parser of the project shares. A reader accepts a value only if it has the named type; a missing
// key and a value of another type both read as nothing, so callers treat them alike.
namespace pathloom::json {

// Whether a top-level value other than an object or an array is accepted.
enum class Fragments { rejected, allowed };

[[nodiscard]] std::expected<QJsonValue, JsonError> parse(const QByteArray& text,
                                                         Fragments fragments = Fragments::rejected);
[[nodiscard]] QByteArray write(const QJsonObject& object);
[[nodiscard]] QByteArray write(const QJsonArray& array);
// Any value as compact JSON text, a bare string, number, boolean or null included.
[[nodiscard]] QByteArray writeFragment(const QJsonValue& value);
// `text` as a JSON string, in double quotes and with Qt's escapes: the quote, the backslash,
// control characters and lone surrogates; everything else as UTF-8.
void appendQuoted(QByteArray& out, QStringView text);
[[nodiscard]] QString quoted(QStringView text);

// A JSON number that converts exactly to a signed 64-bit integer (1.0 does, 1.5 and 2^63 do not).
[[nodiscard]] std::optional<qint64> asInteger(const QJsonValue& value);
[[nodiscard]] std::optional<double> asNumber(const QJsonValue& value);
[[nodiscard]] std::optional<QString> asString(const QJsonValue& value);
[[nodiscard]] std::optional<bool> asBoolean(const QJsonValue& value);
[[nodiscard]] std::optional<QJsonObject> asObject(const QJsonValue& value);
[[nodiscard]] std::optional<QJsonArray> asArray(const QJsonValue& value);
// An array whose every element is an object; one element of another kind rejects the whole value.
[[nodiscard]] std::optional<QList<QJsonObject>> asObjectList(const QJsonValue& value);

[[nodiscard]] std::optional<qint64> readInteger(const QJsonObject& object, QStringView key);
[[nodiscard]] std::optional<double> readNumber(const QJsonObject& object, QStringView key);
[[nodiscard]] std::optional<QString> readString(const QJsonObject& object, QStringView key);
[[nodiscard]] std::optional<bool> readBoolean(const QJsonObject& object, QStringView key);
[[nodiscard]] std::optional<QJsonObject> readObject(const QJsonObject& object, QStringView key);
[[nodiscard]] std::optional<QJsonArray> readArray(const QJsonObject& object, QStringView key);
[[nodiscard]] std::optional<QList<QJsonObject>> readObjectList(const QJsonObject& object,
                                                               QStringView key);

}  // namespace pathloom::json
