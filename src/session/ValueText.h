#pragma once

#include "taskmodel/Value.h"

#include <QDateTime>
#include <QString>
#include <optional>

// How values are written as plain text when they go into a URL or are compared, and the JSON text
// of the values that write themselves (dates and locations).
namespace pathloom {

// A number as a platform number object writes itself: 3, 2.5, 1e-05, 1 for true.
[[nodiscard]] QString numberText(double number);
// A floating-point value's description: the shortest text that reads back to the same value,
// always with a fraction or an exponent (2.5, 3.0, 1e-05).
[[nodiscard]] QString doubleDescription(double number);
// ISO 8601 in UTC with whole seconds, for example 2021-03-04T05:06:07Z.
[[nodiscard]] QString iso8601Text(const QDateTime& date);

// The text of a value that converts to one (texts, numbers, booleans, dates, locations);
// nothing for any other value.
[[nodiscard]] std::optional<QString> stringValue(const Value& value);
// Appends the JSON text of a value that writes itself (dates and locations); false, appending
// nothing, for any other value.
[[nodiscard]] bool appendValueJson(QByteArray& json, const Value& value);

}  // namespace pathloom
