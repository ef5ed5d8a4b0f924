#include "session/SessionProviders.h"

#include "session/FileResultBinaryProvider.h"
#include "session/JSONRepresentable.h"
#include "session/QuestionResultProvider.h"
#include "session/ValueText.h"

namespace pathloom::providers {

namespace {

// The provider view of an object: a question result's adapter, or the object's own interface.
std::shared_ptr<const ValueProvider> objectProvider(const Value& value) {
    const Value::Object* object = value.as<Value::Object>();
    if (!object || !*object) {
        return nullptr;
    }
    if (auto question = std::dynamic_pointer_cast<const ORKQuestionResult>(*object)) {
        return std::make_shared<QuestionResultProvider>(std::move(question));
    }
    return std::dynamic_pointer_cast<const ValueProvider>(*object);
}

}  // namespace

bool isSessionProvider(const Value& value) {
    if (value.as<QString>() || value.as<Value::Dictionary>()) {
        return true;
    }
    const Value::Object* object = value.as<Value::Object>();
    return object && *object &&
           (dynamic_cast<const ORKQuestionResult*>(object->get()) ||
            dynamic_cast<const ORKFileResult*>(object->get()) ||
            dynamic_cast<const SessionProvider*>(object->get()));
}

bool isValueProvider(const Value& value) {
    return value.as<QString>() || value.as<Value::Dictionary>() || objectProvider(value);
}

Value fetchValue(const Value& provider, const QString& key) {
    if (provider.as<QString>()) {
        return provider;
    }
    if (const Value::Dictionary* map = provider.as<Value::Dictionary>()) {
        return map->value(key);
    }
    const auto object = objectProvider(provider);
    return object ? object->fetchValue(key) : Value();
}

Value fetchProvider(const Value& provider, const QString& key) {
    if (const Value::Dictionary* map = provider.as<Value::Dictionary>()) {
        const Value value = map->value(key);
        return isValueProvider(value) ? value : Value();
    }
    const auto object = objectProvider(provider);
    return object ? object->fetchProvider(key) : Value();
}

Value::Dictionary content(const Value& provider) {
    if (const Value::Dictionary* map = provider.as<Value::Dictionary>()) {
        Value::Dictionary encodable;
        for (auto it = map->begin(); it != map->end(); ++it) {
            if (isEncodable(it.value())) {
                encodable.insert(it.key(), it.value());
            }
        }
        return encodable;
    }
    const auto object = objectProvider(provider);
    return object ? object->content() : Value::Dictionary{};
}

std::optional<QByteArray> jsonRepresentation(const Value& value) {
    QByteArray json;
    return appendJsonRepresentation(json, value) ? std::optional(std::move(json)) : std::nullopt;
}

bool appendJsonRepresentation(QByteArray& json, const Value& value) {
    if (appendValueJson(json, value)) {
        return true;
    }
    const Value::Object* object = value.as<Value::Object>();
    if (!object || !*object) {
        return false;
    }
    if (const auto* question = dynamic_cast<const ORKQuestionResult*>(object->get())) {
        return QuestionResultProvider::appendJson(json, *question);
    }
    if (const auto* representable = dynamic_cast<const JSONRepresentable*>(object->get())) {
        if (const std::optional<QByteArray> text = representable->jsonRepresentation()) {
            json += *text;
            return true;
        }
    }
    return false;
}

std::shared_ptr<const BinaryProvider> binaryProvider(const Value& value) {
    const Value::Object* object = value.as<Value::Object>();
    if (!object || !*object) {
        return nullptr;
    }
    if (auto file = std::dynamic_pointer_cast<const ORKFileResult>(*object)) {
        return std::make_shared<FileResultBinaryProvider>(std::move(file));
    }
    return std::dynamic_pointer_cast<const BinaryProvider>(*object);
}

bool isEncodable(const Value& value) {
    if (value.as<Null>() || value.as<bool>() || value.as<qint64>() || value.as<double>() ||
        value.as<QString>() || value.as<QDateTime>()) {
        return true;
    }
    if (const Value::Array* array = value.as<Value::Array>()) {
        return std::all_of(array->begin(), array->end(), isEncodable);
    }
    if (const Value::Dictionary* map = value.as<Value::Dictionary>()) {
        return std::all_of(map->begin(), map->end(), isEncodable);
    }
    return false;
}

}  // namespace pathloom::providers
