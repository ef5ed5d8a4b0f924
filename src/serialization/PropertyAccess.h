#pragma once

#include "serialization/ORKESerializableTableEntry.h"
#include "taskmodel/Value.h"

#include <QJsonObject>
#include <QList>
#include <QMap>
#include <memory>
#include <optional>

// Conversions between the dynamic values the serializer handles and the typed fields of the
// task-model classes, and the typed reads that constructors (init blocks) make.
namespace pathloom {

template <typename T>
struct ValueTraits {
    // A platform value held as it is (QUrl, QDateTime, Calendar, EdgeInsets, …).
    static T fromValue(const Value& value) {
        const T* held = value.as<T>();
        return held ? *held : T{};
    }
    static Value toValue(const T& field) { return Value(field); }
};

template <>
struct ValueTraits<Value> {
    static Value fromValue(const Value& value) { return value; }
    static Value toValue(const Value& field) { return field; }
};

template <>
struct ValueTraits<bool> {
    static bool fromValue(const Value& value) { return value.toDouble().value_or(0) != 0; }
    static Value toValue(bool field) { return field; }
};

template <>
struct ValueTraits<int> {
    static int fromValue(const Value& value) { return int(value.toInteger().value_or(0)); }
    static Value toValue(int field) { return qint64(field); }
};

template <>
struct ValueTraits<qint64> {
    static qint64 fromValue(const Value& value) { return value.toInteger().value_or(0); }
    static Value toValue(qint64 field) { return field; }
};

template <>
struct ValueTraits<double> {
    static double fromValue(const Value& value) { return value.toDouble().value_or(0); }
    static Value toValue(double field) { return field; }
};

template <>
struct ValueTraits<QJsonObject> {
    static QJsonObject fromValue(const Value& value) {
        return value.toJson().value_or(QJsonValue()).toObject();
    }
    static Value toValue(const QJsonObject& field) { return Value::fromJson(field); }
};

template <typename T>
struct ValueTraits<std::optional<T>> {
    static std::optional<T> fromValue(const Value& value) {
        // An object where a plain value belongs (the don't-know answer) leaves the field empty.
        if (value.isNone() || value.as<Null>() || value.as<Value::Object>()) {
            return std::nullopt;
        }
        return ValueTraits<T>::fromValue(value);
    }
    static Value toValue(const std::optional<T>& field) {
        return field ? ValueTraits<T>::toValue(*field) : Value();
    }
};

template <typename T>
requires std::derived_from<T, ORKObject>
struct ValueTraits<std::shared_ptr<T>> {
    static std::shared_ptr<T> fromValue(const Value& value) { return value.object<T>(); }
    static Value toValue(const std::shared_ptr<T>& field) {
        return field ? Value(Value::Object(field)) : Value();
    }
};

template <typename T>
struct ValueTraits<QList<T>> {
    static QList<T> fromValue(const Value& value) {
        QList<T> fields;
        if (const Value::Array* array = value.as<Value::Array>()) {
            fields.reserve(array->size());
            for (const Value& element : *array) {
                fields.append(ValueTraits<T>::fromValue(element));
            }
        }
        return fields;
    }
    static Value toValue(const QList<T>& fields) {
        Value::Array array;
        array.reserve(fields.size());
        for (const T& field : fields) {
            array.append(ValueTraits<T>::toValue(field));
        }
        return array;
    }
};

template <typename T>
struct ValueTraits<QMap<QString, T>> {
    static QMap<QString, T> fromValue(const Value& value) {
        QMap<QString, T> fields;
        if (const Value::Dictionary* dictionary = value.as<Value::Dictionary>()) {
            for (auto it = dictionary->begin(); it != dictionary->end(); ++it) {
                fields.insert(it.key(), ValueTraits<T>::fromValue(it.value()));
            }
        }
        return fields;
    }
    static Value toValue(const QMap<QString, T>& fields) {
        Value::Dictionary dictionary;
        for (auto it = fields.begin(); it != fields.end(); ++it) {
            dictionary.insert(it.key(), ValueTraits<T>::toValue(it.value()));
        }
        return dictionary;
    }
};

// The accessor of the field `member` (declared in C or a base of it) on instances of T.
template <typename T, typename C, typename M>
requires std::derived_from<T, C> PropertyAccessor fieldAccessor(M C::*member) {
    return {
        [member](ORKObject& object, const Value& value) {
            if (auto* instance = dynamic_cast<T*>(&object)) {
                static_cast<C&>(*instance).*member = ValueTraits<M>::fromValue(value);
            }
        },
        [member](const ORKObject& object) {
            const auto* instance = dynamic_cast<const T*>(&object);
            return instance ? ValueTraits<M>::toValue(static_cast<const C&>(*instance).*member)
                            : Value();
        },
    };
}

// Typed reads of the properties a constructor consumes. An absent value reads as nothing, 0 or
// false; a number read as an integer, a double or a boolean is its numeric value.
class PropertyReader {
public:
    PropertyReader(const QJsonObject& json, const PropertyGetter& getter)
        : m_json(json), m_getter(getter) {}

    [[nodiscard]] Value value(const QString& key) const { return m_getter(m_json, key); }
    [[nodiscard]] bool has(const QString& key) const { return !value(key).isNone(); }
    [[nodiscard]] qint64 integer(const QString& key) const {
        return value(key).toInteger().value_or(0);
    }
    [[nodiscard]] double number(const QString& key) const {
        return value(key).toDouble().value_or(0);
    }
    [[nodiscard]] bool boolean(const QString& key) const { return number(key) != 0; }
    // The value converted to a field type, as a setter would.
    template <typename M>
    [[nodiscard]] M get(const QString& key) const {
        return ValueTraits<M>::fromValue(value(key));
    }

private:
    const QJsonObject& m_json;
    const PropertyGetter& m_getter;
};

}  // namespace pathloom
