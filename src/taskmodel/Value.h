#pragma once

#include "taskmodel/ORKObject.h"
#include "taskmodel/PlatformValues.h"

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QString>
#include <QTimeZone>
#include <QUrl>
#include <QUuid>
#include <memory>
#include <optional>
#include <variant>

namespace pathloom {

// The JSON null, as a value distinct from "no value".
struct Null {
    friend bool operator==(Null, Null) = default;
};

// A value of any type that the task model holds where its type is not fixed: answers, choice
// values, decoded properties. It is empty (no value), JSON null, a boolean, an integer, a double,
// a text, a list, a map with text keys, a shared model object, or one of the platform values.
// Numbers keep their kind (an integer 3 stays an integer, a boolean stays a boolean).
class Value {
public:
    using Array = QList<Value>;
    using Dictionary = QMap<QString, Value>;
    using Object = std::shared_ptr<ORKObject>;
    using Storage = std::variant<std::monostate, Null, bool, qint64, double, QString, Array,
                                 Dictionary, Object, QUrl, QDateTime, QUuid, QImage, QColor,
                                 QTimeZone, Calendar, DateComponents, EdgeInsets, Coordinate,
                                 CircularRegion, PostalAddress, RegularExpression, PasswordRules>;

    Value() = default;
    Value(int integer) : m_storage(qint64(integer)) {}  // NOLINT: numbers are values
    template <typename T>
    requires(!std::same_as<std::remove_cvref_t<T>, Value>) &&
        std::is_constructible_v<Storage, T&&> Value(T&& value)
        : m_storage(std::forward<T>(value)) {}  // NOLINT: so is everything else

    // JSON kinds map to null, booleans, integers (a number that the reader kept exact) or
    // doubles, texts, lists and maps; an undefined JSON value is no value.
    [[nodiscard]] static Value fromJson(const QJsonValue& json);
    // The JSON form of a value made only of JSON kinds; nothing for any other kind.
    [[nodiscard]] std::optional<QJsonValue> toJson() const;
    // Appends the compact JSON text of toJson(), byte for byte as Qt writes it, without building
    // the Qt value; false, with `json` as it was, for a value toJson() has no form for.
    [[nodiscard]] bool appendJson(QByteArray& json) const;

    [[nodiscard]] bool isNone() const { return std::holds_alternative<std::monostate>(m_storage); }
    [[nodiscard]] bool isNumber() const;
    // The numeric value of a boolean, integer or double.
    [[nodiscard]] std::optional<double> toDouble() const;
    [[nodiscard]] std::optional<qint64> toInteger() const;

    template <typename T>
    [[nodiscard]] const T* as() const {
        return std::get_if<T>(&m_storage);
    }
    // The model object held, if it is of class T or a subclass.
    template <typename T>
    [[nodiscard]] std::shared_ptr<T> object() const {
        const Object* object = as<Object>();
        return object ? std::dynamic_pointer_cast<T>(*object) : nullptr;
    }
    [[nodiscard]] const Storage& storage() const { return m_storage; }

    // Objects compare by identity; everything else by value.
    friend bool operator==(const Value& a, const Value& b) { return a.m_storage == b.m_storage; }

private:
    Storage m_storage;
};

}  // namespace pathloom
