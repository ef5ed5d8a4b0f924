#pragma once

#include "foundation/Error.h"
#include "serialization/ORKESerializableTableEntry.h"
#include "serialization/ORKESerializationContext.h"
#include "serialization/ORKESerializationError.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QStringList>
#include <expected>

namespace pathloom {

// The key of a JSON object that names its class.
inline const QString ORKESerializationClassKey = QStringLiteral("_class");

// Decodes JSON object trees into task-model objects and encodes them back, driven by the shared
// encoding table. Decoding and encoding may run on several threads at once; registrations change
// the table and must be done before that.
class ORKESerializer {
public:
    ORKESerializer() = delete;

    // The object described by `json`, whose "_class" names its class; a failure carries the
    // nested message of what could not be converted. Null only if a constructor made nothing.
    [[nodiscard]] static std::expected<Value::Object, ORKESerializationError> objectFromJSONObject(
        const QJsonObject& json, const ORKESerializationContext& context = {});
    // The same for JSON text; a JSON reading error is passed on as it is.
    [[nodiscard]] static std::expected<Value::Object, Error> objectFromJSONData(
        const QByteArray& data);

    // The JSON of an object (or of a list or map of objects); undefined for no value.
    [[nodiscard]] static QJsonValue JSONObjectForObject(
        const Value& object, const ORKESerializationContext& context = {});
    [[nodiscard]] static std::expected<QByteArray, Error> JSONDataForObject(const Value& object);

    // Every class of the table, in no particular order.
    [[nodiscard]] static QList<const ObjectClass*> serializableClasses();
    // The property names of the class's entry and of each base class's entry, class by class up
    // to the root (a name may repeat).
    [[nodiscard]] static QStringList serializedPropertiesForClass(const ObjectClass& objectClass);

    // Sets the init block of the class's entry, adding the entry if the table has none.
    static void registerSerializableClass(const ObjectClass& objectClass, InitBlock initBlock);
    // Adds the property to the class's entry (adding the entry if needed) or overwrites the
    // property of that name. The accessor reads and writes it on instances.
    static void registerSerializableClassPropertyName(
        const QString& propertyName, const ObjectClass& objectClass, const ObjectClass* valueClass,
        const ObjectClass* containerClass, bool writeAfterInit, ObjectToJsonBlock objectToJSONBlock,
        JsonToObjectBlock jsonToObjectBlock, bool skipSerialization, PropertyAccessor accessor);
};

}  // namespace pathloom
