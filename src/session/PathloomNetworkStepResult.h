#pragma once

#include "documents/DecodingError.h"
#include "session/JSONRepresentable.h"
#include "session/ValueProvider.h"
#include "taskmodel/ORKResult.h"

#include <QByteArray>
#include <QJsonObject>
#include <expected>
#include <optional>

namespace pathloom {

// The result of a network step: the server's answer to the session post, as a map. In the session,
// net.response gives the whole map.
class PathloomNetworkStepResult : public ORKResult, public ValueProvider, public JSONRepresentable {
public:
    // The answer is `body` read as JSON when that gives an object; an empty map otherwise.
    PathloomNetworkStepResult(QString identifier, const std::optional<QByteArray>& body);

    Value::Dictionary response;

    // The answer as compact JSON; nothing when it holds a value JSON cannot write.
    [[nodiscard]] std::optional<QByteArray> responseData() const;

    // The stored form: "identifier" and "response" (the answer's JSON bytes in Base64, or null).
    [[nodiscard]] QJsonObject toJson() const;
    [[nodiscard]] static std::expected<std::shared_ptr<PathloomNetworkStepResult>, DecodingError>
    fromJson(const QJsonObject& json);

    // The same identifier and answer; the dates are those of a new result.
    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override;

    [[nodiscard]] Value::Dictionary content() const override;
    [[nodiscard]] Value fetchValue(const QString& key) const override;
    [[nodiscard]] Value fetchProvider(const QString& key) const override;
    [[nodiscard]] std::optional<QByteArray> jsonRepresentation() const override;
};

}  // namespace pathloom
