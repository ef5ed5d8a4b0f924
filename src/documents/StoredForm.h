#pragma once

#include <QJsonArray>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <optional>

// Helpers for writing stored forms.
namespace pathloom {

// Each value's stored form, in order.
template <typename T>
[[nodiscard]] QJsonArray toStoredArray(const QList<T>& values) {
    QJsonArray array;
    for (const T& value : values) {
        array.append(value.toStored());
    }
    return array;
}

// The text, or null when absent.
[[nodiscard]] inline QJsonValue nullableString(const std::optional<QString>& text) {
    return text ? QJsonValue(*text) : QJsonValue(QJsonValue::Null);
}

}  // namespace pathloom
