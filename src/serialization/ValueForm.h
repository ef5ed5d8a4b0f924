#pragma once

#include "serialization/ORKESerializableProperty.h"

#include <QString>

namespace pathloom {

// The JSON form of a property value: the class a value must be (by name, resolved when the table
// is built), the container it comes in, and the converters, if any. The `form` namespace
// (ValueForms.h) makes one for each form the table uses.
struct ValueForm {
    QString valueClassName;
    // Empty for a single value, else "NSArray" or "NSDictionary".
    QString containerClassName;
    JsonToObjectBlock toObject;
    ObjectToJsonBlock toJson;
};

}  // namespace pathloom
