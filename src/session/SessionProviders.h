#pragma once

#include "session/BinaryProvider.h"
#include "taskmodel/Value.h"

#include <QString>
#include <memory>
#include <optional>

// How any value stored in the session is read: texts and maps are providers of their own, question
// and file results are read through adapters, and objects of other classes through the provider
// interfaces they implement (ValueProvider, JSONRepresentable, BinaryProvider).
namespace pathloom::providers {

// Whether the value may be stored in the session: a text, a map, a question or file result, or an
// object that implements SessionProvider.
[[nodiscard]] bool isSessionProvider(const Value& value);
// Whether key paths can walk into the value: a text, a map, a question result or a ValueProvider.
[[nodiscard]] bool isValueProvider(const Value& value);

[[nodiscard]] Value fetchValue(const Value& provider, const QString& key);
[[nodiscard]] Value fetchProvider(const Value& provider, const QString& key);
[[nodiscard]] Value::Dictionary content(const Value& provider);

// The JSON text of a value that writes itself (dates, locations, question results and objects
// that implement JSONRepresentable); nothing otherwise.
[[nodiscard]] std::optional<QByteArray> jsonRepresentation(const Value& value);
// Appends what jsonRepresentation() gives; false, appending nothing, when it gives nothing.
[[nodiscard]] bool appendJsonRepresentation(QByteArray& json, const Value& value);
// The file to upload that the value carries, if it is a file result or a BinaryProvider.
[[nodiscard]] std::shared_ptr<const BinaryProvider> binaryProvider(const Value& value);
// Whether the value can be written as JSON: texts, numbers, booleans, null, dates, and lists and
// maps of these.
[[nodiscard]] bool isEncodable(const Value& value);

}  // namespace pathloom::providers
