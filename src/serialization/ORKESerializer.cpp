#include "serialization/ORKESerializer.h"

#include "foundation/Json.h"
#include "serialization/EncodingTable.h"
#include "taskmodel/ORKDontKnowAnswer.h"

#include <QJsonArray>
#include <QSet>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

const QString kNoAnswerPrefix = u"noAnswer_"_s;
const QString kIdentifierKey = u"identifier"_s;
const QString kNullName = u"(null)"_s;
const JsonToObjectBlock kNoConverter;

using Encodings = QList<const ORKESerializableTableEntry*>;
using Decoded = std::expected<Value, ORKESerializationError>;

QString nameOf(const ObjectClass* objectClass) {
    return objectClass ? objectClass->name() : kNullName;
}

ORKESerializationError failure(QString reason) { return ORKESerializationError(std::move(reason)); }

ORKESerializationError nested(QString reason, const ORKESerializationError& inner) {
    return ORKESerializationError(std::move(reason) + inner.failureReason(),
                                  std::make_shared<ORKESerializationError>(inner));
}

// One decoding or encoding pass over the shared table.
class Coder {
public:
    explicit Coder(const EncodingTable& table) : m_table(table) {}

    // Decodes `json` as a value of `expected` (any when null), through `converter` if given.
    Decoded decode(const QJsonValue& json, const ObjectClass* expected,
                   const JsonToObjectBlock& converter,
                   const ORKESerializationContext& context) const {
        // The converter's result, when it gives JSON to decode instead of `json`.
        std::optional<QJsonValue> converted;
        const QJsonValue* input = &json;
        if (converter) {
            Value value = converter(json, context);
            if (value.isNone()) {
                return Value();
            }
            if (expected && isInstance(value, *expected)) {
                return value;
            }
            converted = value.toJson();
            if (!converted || !converted->isObject()) {
                return std::unexpected(unexpectedInput(nameOf(m_table.classOf(value)), expected));
            }
            input = &*converted;
        } else if (expected) {
            // The class of a map or a list is that of its kind whatever it holds, so the whole
            // subtree is converted only when the expected class takes it as it is; converting it
            // just to ask would redo every nested object at each level of a decode.
            if (json.isObject() || json.isArray()) {
                const Value kind =
                    json.isObject() ? Value(Value::Dictionary{}) : Value(Value::Array{});
                if (isInstance(kind, *expected)) {
                    return Value::fromJson(json);
                }
            } else if (Value value = Value::fromJson(json); isInstance(value, *expected)) {
                return value;
            }
        }
        if (!input->isObject()) {
            return std::unexpected(
                unexpectedInput(nameOf(m_table.classOf(Value::fromJson(*input))), expected));
        }
        return decodeObject(input->toObject(), expected, context);
    }

    QJsonValue encode(const Value& value, const ORKESerializationContext& context) const {
        if (value.isNone()) {
            return QJsonValue::Undefined;
        }
        if (const Value::Object* object = value.as<Value::Object>()) {
            const ObjectClass* objectClass = m_table.classOf(value);
            if (*object && objectClass) {
                const Encodings& encodings = m_table.classEncodings(*objectClass);
                if (!encodings.isEmpty()) {
                    return encodeObject(**object, *objectClass, encodings, context);
                }
            }
            return QJsonValue::Undefined;
        }
        if (const Value::Array* array = value.as<Value::Array>()) {
            QJsonArray encoded;
            for (const Value& element : *array) {
                const QJsonValue json = encode(element, context);
                if (!json.isUndefined()) {
                    encoded.append(json);
                }
            }
            return encoded;
        }
        if (const Value::Dictionary* dictionary = value.as<Value::Dictionary>()) {
            QJsonObject encoded;
            for (auto it = dictionary->begin(); it != dictionary->end(); ++it) {
                const QJsonValue json = encode(it.value(), context);
                if (!json.isUndefined()) {
                    encoded.insert(it.key(), json);
                }
            }
            return encoded;
        }
        return value.toJson().value_or(QJsonValue(QJsonValue::Undefined));
    }

private:
    bool isInstance(const Value& value, const ObjectClass& expected) const {
        const ObjectClass* objectClass = m_table.classOf(value);
        return objectClass && objectClass->isSubclassOf(expected);
    }

    static ORKESerializationError unexpectedInput(const QString& inputClass,
                                                  const ObjectClass* expected) {
        return failure(u"Unexpected input of class %1 for %2"_s.arg(inputClass, nameOf(expected)));
    }

    Decoded decodeObject(QJsonObject json, const ObjectClass* expected,
                         const ORKESerializationContext& context) const {
        const std::optional<QString> className = json::readString(json, ORKESerializationClassKey);
        if (context.propertyInjector) {
            json = context.propertyInjector->injectedDictionaryWithDictionary(json);
        }
        const ObjectClass* objectClass = className ? m_table.classNamed(*className) : nullptr;
        const auto wrongClass = [&] {
            return std::unexpected(failure(u"Expected subclass of %1 but got %2"_s.arg(
                nameOf(expected), className.value_or(kNullName))));
        };
        if (expected && (!objectClass || !objectClass->isSubclassOf(*expected))) {
            return wrongClass();
        }
        if (!objectClass || m_table.classEncodings(*objectClass).isEmpty()) {
            return wrongClass();
        }
        const ClassLayout& layout = m_table.layout(*objectClass);

        std::shared_ptr<ORKObject> instance;
        bool setEveryProperty = true;
        if (const InitBlock& init = layout.encodings.front()->initBlock) {
            // Captured by one reference, so that the getter is made without allocating.
            struct {
                const Coder& coder;
                const ClassLayout& layout;
                const ORKESerializationContext& context;
                std::optional<ORKESerializationError> error;
            } reading{*this, layout, context, std::nullopt};
            const PropertyGetter getter = [&reading](const QJsonObject& object,
                                                     const QString& key) {
                Decoded value =
                    reading.coder.propertyValue(object, key, reading.layout, reading.context);
                if (!value) {
                    reading.error = reading.error.value_or(value.error());
                    return Value();
                }
                return *value;
            };
            instance = init(json, getter);
            if (reading.error) {
                return std::unexpected(*reading.error);
            }
            setEveryProperty = false;
        } else if (objectClass->name() == u"ORKDontKnowAnswer") {
            instance = ORKDontKnowAnswer::answer();
        } else {
            instance = objectClass->makeInstance();
        }
        if (!instance) {
            return wrongClass();
        }

        // Read through const iterators: a non-const one would copy the whole object first.
        for (auto it = json.constBegin(); it != json.constEnd(); ++it) {
            const QString jsonKey = it.key();
            if (jsonKey == ORKESerializationClassKey) {
                continue;
            }
            const bool noAnswer = jsonKey.startsWith(kNoAnswerPrefix);
            const QString key = noAnswer ? jsonKey.mid(kNoAnswerPrefix.size()) : jsonKey;
            const ORKESerializableProperty* property = layout.properties.value(key);
            if (!property || (!setEveryProperty && !property->writeAfterInit)) {
                continue;
            }
            // A "noAnswer_" key goes through the lookup, which prefers the plain key if both are
            // there; a plain key's value is the one at hand.
            Decoded value = noAnswer ? propertyValue(json, key, layout, context)
                                     : propertyValue(it.value(), key, property, context);
            if (!value) {
                return std::unexpected(value.error());
            }
            if (property->accessor.set) {
                property->accessor.set(*instance, *value);
            }
        }
        return Value(std::move(instance));
    }

    // The property `key` of `json`, or its "noAnswer_" form when only that is there.
    Decoded propertyValue(const QJsonObject& json, const QString& key, const ClassLayout& layout,
                          const ORKESerializationContext& context) const {
        const QJsonValue value = json.value(key);
        if (value.isUndefined()) {
            const QJsonValue noAnswer = json.value(kNoAnswerPrefix + key);
            if (noAnswer.isUndefined()) {
                return Value();
            }
            return decode(noAnswer, m_table.classNamed(u"ORKDontKnowAnswer"_s), nullptr, context);
        }
        return propertyValue(value, key, layout.properties.value(key), context);
    }

    // Decodes `value`, found under `key`, as `property` (of no class when null) says.
    Decoded propertyValue(const QJsonValue& value, const QString& key,
                          const ORKESerializableProperty* property,
                          const ORKESerializationContext& context) const {
        const ObjectClass* valueClass = property ? property->valueClass : nullptr;
        const ObjectClass* containerClass = property ? property->containerClass : nullptr;
        const JsonToObjectBlock& converter = property ? property->jsonToObjectBlock : kNoConverter;

        if (containerClass && containerClass->name() == u"NSArray") {
            Value::Array elements;
            const QJsonArray array = value.toArray();
            for (const QJsonValue& element : array) {
                Decoded decoded = decode(element, valueClass, converter, context);
                if (!decoded) {
                    return std::unexpected(
                        nested(u"Could not convert '%1' to array of class %2:\n"_s.arg(
                                   key, nameOf(valueClass)),
                               decoded.error()));
                }
                if (!decoded->isNone()) {
                    elements.append(std::move(*decoded));
                }
            }
            return elements;
        }
        if (containerClass && containerClass->name() == u"NSDictionary") {
            // Values inside a map are decoded without the context: nothing in them is localized.
            static const ORKESerializationContext noContext;
            Value::Dictionary values;
            const QJsonObject object = value.toObject();
            for (auto it = object.begin(); it != object.end(); ++it) {
                Decoded decoded = decode(it.value(), valueClass, converter, noContext);
                if (!decoded) {
                    return std::unexpected(
                        nested(u"Could not convert '%1' to object of class %2:\n"_s.arg(
                                   key, nameOf(valueClass)),
                               decoded.error()));
                }
                if (!decoded->isNone()) {
                    values.insert(it.key(), std::move(*decoded));
                }
            }
            return values;
        }

        Decoded decoded = decode(value, valueClass, converter, context);
        if (!decoded) {
            return std::unexpected(
                nested(u"Could not convert '%1':\n"_s.arg(key), decoded.error()));
        }
        if (const QString* text = decoded->as<QString>(); text && key != kIdentifierKey) {
            QString localized =
                context.localizer ? context.localizer->localizedStringForString(*text) : *text;
            if (context.stringInterpolator) {
                localized = context.stringInterpolator->interpolatedStringForString(localized);
            }
            return Value(std::move(localized));
        }
        return decoded;
    }

    QJsonObject encodeObject(const ORKObject& object, const ObjectClass& objectClass,
                             const Encodings& encodings,
                             const ORKESerializationContext& context) const {
        QJsonObject json{{ORKESerializationClassKey, objectClass.name()}};
        QSet<QString> hidden;
        const auto dontKnow = ORKDontKnowAnswer::answer();
        for (const ORKESerializableTableEntry* entry : encodings) {
            for (const ORKESerializableProperty& property : entry->properties) {
                if (property.skipSerialization) {
                    hidden.insert(property.propertyName);
                    continue;
                }
                if (hidden.contains(property.propertyName) || !property.accessor.get) {
                    continue;
                }
                const Value value = property.accessor.get(object);
                if (value.isNone()) {
                    continue;
                }
                const bool isDontKnow = value.object<ORKDontKnowAnswer>() == dontKnow;
                const ObjectToJsonBlock converter =
                    isDontKnow ? nullptr : property.objectToJSONBlock;
                const auto encodeOne = [&](const Value& one) {
                    return converter ? converter(one, context) : encode(one, context);
                };
                QJsonValue encoded;
                const Value::Array* elements = value.as<Value::Array>();
                if (property.containerClass && property.containerClass->name() == u"NSArray" &&
                    elements) {
                    QJsonArray array;
                    for (const Value& element : *elements) {
                        const QJsonValue one = encodeOne(element);
                        if (!one.isUndefined()) {
                            array.append(one);
                        }
                    }
                    encoded = array;
                } else {
                    encoded = encodeOne(value);
                }
                if (!encoded.isUndefined()) {
                    json.insert(isDontKnow ? kNoAnswerPrefix + property.propertyName
                                           : property.propertyName,
                                encoded);
                }
            }
        }
        return json;
    }

    const EncodingTable& m_table;
};

}  // namespace

std::expected<Value::Object, ORKESerializationError> ORKESerializer::objectFromJSONObject(
    const QJsonObject& json, const ORKESerializationContext& context) {
    Decoded decoded = Coder(EncodingTable::shared()).decode(json, nullptr, nullptr, context);
    if (!decoded) {
        return std::unexpected(decoded.error());
    }
    const Value::Object* object = decoded->as<Value::Object>();
    return object ? *object : nullptr;
}

std::expected<Value::Object, Error> ORKESerializer::objectFromJSONData(const QByteArray& data) {
    const std::expected<QJsonValue, JsonError> json = json::parse(data);
    if (!json) {
        return std::unexpected(json.error());
    }
    Decoded decoded = Coder(EncodingTable::shared()).decode(*json, nullptr, nullptr, {});
    if (!decoded) {
        return std::unexpected(decoded.error());
    }
    const Value::Object* object = decoded->as<Value::Object>();
    return object ? *object : nullptr;
}

QJsonValue ORKESerializer::JSONObjectForObject(const Value& object,
                                               const ORKESerializationContext& context) {
    return Coder(EncodingTable::shared()).encode(object, context);
}

std::expected<QByteArray, Error> ORKESerializer::JSONDataForObject(const Value& object) {
    const QJsonValue json = JSONObjectForObject(object);
    if (json.isObject()) {
        return json::write(json.toObject());
    }
    if (json.isArray()) {
        return json::write(json.toArray());
    }
    return std::unexpected(JsonError{u"only objects and arrays can be written as JSON text"_s, 0});
}

QList<const ObjectClass*> ORKESerializer::serializableClasses() {
    QList<const ObjectClass*> classes;
    for (const auto& [name, entry] : EncodingTable::shared().entries()) {
        if (!name.contains(u"SwiftStroop")) {
            classes.append(entry.objectClass);
        }
    }
    return classes;
}

QStringList ORKESerializer::serializedPropertiesForClass(const ObjectClass& objectClass) {
    QStringList names;
    for (const ORKESerializableTableEntry* entry :
         EncodingTable::shared().classEncodings(objectClass)) {
        names.append(entry->properties.keys());
    }
    return names;
}

void ORKESerializer::registerSerializableClass(const ObjectClass& objectClass,
                                               InitBlock initBlock) {
    EncodingTable::shared().entryFor(objectClass).initBlock = std::move(initBlock);
}

void ORKESerializer::registerSerializableClassPropertyName(
    const QString& propertyName, const ObjectClass& objectClass, const ObjectClass* valueClass,
    const ObjectClass* containerClass, bool writeAfterInit, ObjectToJsonBlock objectToJSONBlock,
    JsonToObjectBlock jsonToObjectBlock, bool skipSerialization, PropertyAccessor accessor) {
    EncodingTable::shared()
        .entryFor(objectClass)
        .properties.insert(
            propertyName,
            ORKESerializableProperty{propertyName, valueClass, containerClass, writeAfterInit,
                                     std::move(objectToJSONBlock), std::move(jsonToObjectBlock),
                                     skipSerialization, std::move(accessor)});
}

}  // namespace pathloom
