#include "taskmodel/Value.h"

#include "foundation/Json.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <cmath>
#include <limits>

namespace pathloom {

Value Value::fromJson(const QJsonValue& json) {
    switch (json.type()) {
        case QJsonValue::Null:
            return Null{};
        case QJsonValue::Bool:
            return json.toBool();
        case QJsonValue::Double: {
            // Integers that the reader kept exact stay integers; others are doubles.
            if (json.toVariant().typeId() == QMetaType::LongLong) {
                return json.toInteger();
            }
            return json.toDouble();
        }
        case QJsonValue::String:
            return json.toString();
        case QJsonValue::Array: {
            Array array;
            const QJsonArray elements = json.toArray();
            array.reserve(elements.size());
            for (const QJsonValue& element : elements) {
                array.append(fromJson(element));
            }
            return array;
        }
        case QJsonValue::Object: {
            Dictionary dictionary;
            const QJsonObject object = json.toObject();
            for (auto it = object.begin(); it != object.end(); ++it) {
                dictionary.insert(it.key(), fromJson(it.value()));
            }
            return dictionary;
        }
        case QJsonValue::Undefined:
            break;
    }
    return {};
}

std::optional<QJsonValue> Value::toJson() const {
    return std::visit(
        [](const auto& value) -> std::optional<QJsonValue> {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, Null>) {
                return QJsonValue(QJsonValue::Null);
            } else if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, qint64> ||
                                 std::is_same_v<T, double> || std::is_same_v<T, QString>) {
                return QJsonValue(value);
            } else if constexpr (std::is_same_v<T, Array>) {
                QJsonArray array;
                for (const Value& element : value) {
                    std::optional<QJsonValue> json = element.toJson();
                    if (!json) {
                        return std::nullopt;
                    }
                    array.append(*json);
                }
                return array;
            } else if constexpr (std::is_same_v<T, Dictionary>) {
                QJsonObject object;
                for (auto it = value.begin(); it != value.end(); ++it) {
                    std::optional<QJsonValue> json = it.value().toJson();
                    if (!json) {
                        return std::nullopt;
                    }
                    object.insert(it.key(), *json);
                }
                return object;
            } else {
                return std::nullopt;
            }
        },
        m_storage);
}

bool Value::appendJson(QByteArray& json) const {
    const qsizetype start = json.size();
    const bool written = std::visit(
        [&json](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, Null>) {
                json += "null";
            } else if constexpr (std::is_same_v<T, bool>) {
                json += value ? "true" : "false";
            } else if constexpr (std::is_same_v<T, qint64>) {
                json += QByteArray::number(value);
            } else if constexpr (std::is_same_v<T, double>) {
                // JSON has no infinities or NaN; Qt writes them as null.
                json += std::isfinite(value)
                            ? QByteArray::number(value, 'g', QLocale::FloatingPointShortest)
                            : QByteArray("null");
            } else if constexpr (std::is_same_v<T, QString>) {
                json::appendQuoted(json, value);
            } else if constexpr (std::is_same_v<T, Array>) {
                json += '[';
                for (qsizetype i = 0; i < value.size(); ++i) {
                    if (i > 0) {
                        json += ',';
                    }
                    if (!value[i].appendJson(json)) {
                        return false;
                    }
                }
                json += ']';
            } else if constexpr (std::is_same_v<T, Dictionary>) {
                // A QMap orders its keys as a QJsonObject does, so the text comes out in Qt's
                // order.
                json += '{';
                for (auto it = value.begin(); it != value.end(); ++it) {
                    if (it != value.begin()) {
                        json += ',';
                    }
                    json::appendQuoted(json, it.key());
                    json += ':';
                    if (!it.value().appendJson(json)) {
                        return false;
                    }
                }
                json += '}';
            } else {
                return false;
            }
            return true;
        },
        m_storage);
    if (!written) {
        json.truncate(start);
    }
    return written;
}

bool Value::isNumber() const {
    return std::holds_alternative<bool>(m_storage) || std::holds_alternative<qint64>(m_storage) ||
           std::holds_alternative<double>(m_storage);
}

std::optional<double> Value::toDouble() const {
    if (const bool* b = as<bool>()) {
        return *b ? 1.0 : 0.0;
    }
    if (const qint64* i = as<qint64>()) {
        return double(*i);
    }
    if (const double* d = as<double>()) {
        return *d;
    }
    return std::nullopt;
}

std::optional<qint64> Value::toInteger() const {
    if (const qint64* i = as<qint64>()) {
        return *i;
    }
    if (const std::optional<double> d = toDouble()) {
        // Converting a double outside the integer range is undefined; documents can hold any
        // number, so such a value saturates (and NaN, which no JSON number gives, reads as 0).
        constexpr double kLimit = 9223372036854775808.0;  // 2^63
        if (std::isnan(*d)) {
            return 0;
        }
        if (*d >= kLimit) {
            return std::numeric_limits<qint64>::max();
        }
        if (*d < -kLimit) {
            return std::numeric_limits<qint64>::min();
        }
        return qint64(*d);
    }
    return std::nullopt;
}

}  // namespace pathloom
