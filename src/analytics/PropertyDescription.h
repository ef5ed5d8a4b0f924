#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <optional>

// How analytics property values read as text, on the console and wherever a value cannot be sent
// as JSON.
namespace pathloom {

// The plain description of a value: text as it is, numbers as digits, booleans as true or false,
// lists and maps as in their debug form, anything else as Qt converts it to text (or its type's
// name when it does not).
[[nodiscard]] QString propertyDescription(const QVariant& value);

// The description of a value as a developer reads it: like propertyDescription(), but text is
// quoted by debugQuoted() and an empty value reads nil.
[[nodiscard]] QString propertyDebugDescription(const QVariant& value);

// ["key": value, ...] with keys quoted and values in their debug form; [:] for an empty or absent
// map.
[[nodiscard]] QString propertiesDebugDescription(const std::optional<QVariantMap>& properties);

}  // namespace pathloom
