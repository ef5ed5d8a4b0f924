#pragma once

#include "serialization/ORKESerializableProperty.h"

#include <QJsonObject>
#include <QMap>
#include <functional>
#include <memory>

namespace pathloom {

// Decodes the property `propertyName` of a JSON object the way the serializer does; no value when
// the object has none.
using PropertyGetter = std::function<Value(const QJsonObject& json, const QString& propertyName)>;
// Makes an instance from a JSON object, reading the properties it consumes through the getter.
using InitBlock =
    std::function<std::shared_ptr<ORKObject>(const QJsonObject& json, const PropertyGetter& get)>;

// One class of the encoding table: how to construct it and which properties it stores.
struct ORKESerializableTableEntry {
    const ObjectClass* objectClass = nullptr;
    InitBlock initBlock;
    QMap<QString, ORKESerializableProperty> properties;
};

}  // namespace pathloom
