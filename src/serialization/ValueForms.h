#pragma once

#include "serialization/ValueForm.h"

#include <QStringList>

// The value forms of the encoding table. Converters never fail: a JSON value they cannot turn
// into a value gives the property no value.
namespace pathloom::form {

[[nodiscard]] ValueForm string();
// A number or a boolean.
[[nodiscard]] ValueForm number();
// Any JSON value, kept as it is.
[[nodiscard]] ValueForm anyValue();
// A JSON object, kept as a map.
[[nodiscard]] ValueForm jsonObject();
// An object of the named class (or a subclass), decoded from an object with "_class".
[[nodiscard]] ValueForm object(const QString& className);
[[nodiscard]] ValueForm arrayOf(ValueForm element);
[[nodiscard]] ValueForm dictionaryOf(ValueForm element);

[[nodiscard]] ValueForm url();
[[nodiscard]] ValueForm imageReference();
// "yyyy-MM-dd'T'HH:mm:ssZ", for example 2021-03-04T10:20:30+0100.
[[nodiscard]] ValueForm date();
[[nodiscard]] ValueForm calendar();
// Seconds from GMT, as a number.
[[nodiscard]] ValueForm timeZone();
// "HH:mm".
[[nodiscard]] ValueForm timeOfDay();
[[nodiscard]] ValueForm insets();
[[nodiscard]] ValueForm coordinate();
[[nodiscard]] ValueForm region();
[[nodiscard]] ValueForm postalAddress();
[[nodiscard]] ValueForm regularExpression();
[[nodiscard]] ValueForm passwordRules();
[[nodiscard]] ValueForm uuid();
// An enumeration value written as its name in `names` (index = value).
[[nodiscard]] ValueForm styleName(const QStringList& names);
// Values without a JSON form: an array of them cannot be decoded unless it is empty.
[[nodiscard]] ValueForm color();
[[nodiscard]] ValueForm predicate();
[[nodiscard]] ValueForm permissionType();

}  // namespace pathloom::form
