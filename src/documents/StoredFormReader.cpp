#include "documents/StoredFormReader.h"

#include "foundation/Json.h"

#include <utility>

namespace pathloom {

namespace {

QString typeName(QJsonValue::Type type) {
    switch (type) {
        case QJsonValue::Bool:
            return QStringLiteral("a boolean");
        case QJsonValue::Double:
            return QStringLiteral("an integer");
        case QJsonValue::String:
            return QStringLiteral("a string");
        case QJsonValue::Array:
            return QStringLiteral("an array");
        case QJsonValue::Object:
            return QStringLiteral("an object");
        case QJsonValue::Null:
        case QJsonValue::Undefined:
            break;
    }
    return QStringLiteral("a value");
}

}  // namespace

StoredFormReader::StoredFormReader(QJsonObject object, QString path)
    : m_object(std::move(object)), m_path(std::move(path)) {}

qint64 StoredFormReader::integer(QStringView key) {
    return optionalIntegerOf(key, Presence::required).value_or(0);
}

QString StoredFormReader::string(QStringView key) {
    return lookUp(key, Presence::required, QJsonValue::String).toString();
}

bool StoredFormReader::boolean(QStringView key) {
    return lookUp(key, Presence::required, QJsonValue::Bool).toBool();
}

std::optional<qint64> StoredFormReader::optionalInteger(QStringView key) {
    return optionalIntegerOf(key, Presence::optional);
}

std::optional<QString> StoredFormReader::optionalString(QStringView key) {
    const QJsonValue value = lookUp(key, Presence::optional, QJsonValue::String);
    return value.isString() ? std::optional(value.toString()) : std::nullopt;
}

std::optional<QList<qint64>> StoredFormReader::optionalIntegerList(QStringView key) {
    const std::optional<QJsonArray> array = arrayValue(key, Presence::optional);
    if (!array) {
        return std::nullopt;
    }
    QList<qint64> values;
    values.reserve(array->size());
    for (qsizetype i = 0; i < array->size(); ++i) {
        const std::optional<qint64> value = json::asInteger(array->at(i));
        if (!value) {
            fail(DecodingError::typeMismatch(elementPathOf(key, i), typeName(QJsonValue::Double)));
            return std::nullopt;
        }
        values.append(*value);
    }
    return values;
}

void StoredFormReader::fail(DecodingError error) {
    if (!m_error) {
        m_error = std::move(error);
    }
}

QString StoredFormReader::pathOf(QStringView key) const {
    return m_path.isEmpty() ? key.toString() : m_path + u'.' + key.toString();
}

std::optional<qint64> StoredFormReader::optionalIntegerOf(QStringView key, Presence presence) {
    const QJsonValue value = lookUp(key, presence, QJsonValue::Double);
    if (!value.isDouble()) {
        return std::nullopt;
    }
    const std::optional<qint64> integer = json::asInteger(value);
    if (!integer) {
        fail(DecodingError::typeMismatch(pathOf(key), typeName(QJsonValue::Double)));
    }
    return integer;
}

QJsonValue StoredFormReader::lookUp(QStringView key, Presence presence, QJsonValue::Type type) {
    if (m_error) {
        return {};
    }
    const QJsonValue value = m_object.value(key);
    if (value.isUndefined() || value.isNull()) {
        if (presence == Presence::required) {
            fail(DecodingError::keyNotFound(pathOf(key)));
        }
        return {};
    }
    if (value.type() != type) {
        fail(DecodingError::typeMismatch(pathOf(key), typeName(type)));
        return {};
    }
    return value;
}

std::optional<QJsonArray> StoredFormReader::arrayValue(QStringView key, Presence presence) {
    const QJsonValue value = lookUp(key, presence, QJsonValue::Array);
    return value.isArray() ? std::optional(value.toArray()) : std::nullopt;
}

QString StoredFormReader::elementPathOf(QStringView key, qsizetype index) const {
    return pathOf(key) + u'[' + QString::number(index) + u']';
}

}  // namespace pathloom
