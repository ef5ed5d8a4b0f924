#pragma once

#include "serialization/ObjectClass.h"
#include "taskmodel/Value.h"

#include <QJsonValue>
#include <QString>
#include <functional>

namespace pathloom {

struct ORKESerializationContext;

// Converts a JSON value into a property value; no value means the property gets none.
using JsonToObjectBlock =
    std::function<Value(const QJsonValue& json, const ORKESerializationContext& context)>;
// Converts a property value into JSON; an undefined JSON value means nothing is written.
using ObjectToJsonBlock =
    std::function<QJsonValue(const Value& value, const ORKESerializationContext& context)>;

// Reads and writes one property of an instance by name: what the serializer needs of the object
// runtime. `set` is given instances of the property's class (or a subclass) only.
struct PropertyAccessor {
    std::function<void(ORKObject& object, const Value& value)> set;
    std::function<Value(const ORKObject& object)> get;
};

// How one property of a class is stored in JSON.
struct ORKESerializableProperty {
    QString propertyName;
    // The class every decoded value (or element) must be an instance of; none accepts anything.
    const ObjectClass* valueClass = nullptr;
    // None for a single value; the array or the dictionary class for a container of values.
    const ObjectClass* containerClass = nullptr;
    // With an init block: whether the property is set after construction rather than consumed.
    bool writeAfterInit = true;
    ObjectToJsonBlock objectToJSONBlock;
    JsonToObjectBlock jsonToObjectBlock;
    // Never encoded; also hides same-named properties of base classes from encoding.
    bool skipSerialization = false;
    PropertyAccessor accessor;
};

}  // namespace pathloom
