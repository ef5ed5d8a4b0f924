#include "session/PathloomNetworkStepResult.h"

#include "documents/StoredFormReader.h"
#include "foundation/Json.h"
#include "session/SessionProviders.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

Value::Dictionary responseOf(const std::optional<QByteArray>& body) {
    if (!body) {
        return {};
    }
    const auto json = json::parse(*body, json::Fragments::allowed);
    if (!json || !json->isObject()) {
        return {};
    }
    const Value value = Value::fromJson(*json);
    return *value.as<Value::Dictionary>();
}

}  // namespace

PathloomNetworkStepResult::PathloomNetworkStepResult(QString identifier,
                                                     const std::optional<QByteArray>& body)
    : ORKResult(std::move(identifier)), response(responseOf(body)) {}

std::optional<QByteArray> PathloomNetworkStepResult::responseData() const {
    QByteArray json;
    if (!Value(response).appendJson(json)) {
        return std::nullopt;
    }
    return json;
}

QJsonObject PathloomNetworkStepResult::toJson() const {
    const std::optional<QByteArray> data = responseData();
    return {{u"identifier"_s, identifier},
            {u"response"_s, data ? QJsonValue(QString::fromLatin1(data->toBase64()))
                                 : QJsonValue(QJsonValue::Null)}};
}

std::expected<std::shared_ptr<PathloomNetworkStepResult>, DecodingError>
PathloomNetworkStepResult::fromJson(const QJsonObject& json) {
    StoredFormReader reader(json);
    const QString identifier = reader.string(u"identifier");
    const std::optional<QString> encoded = reader.optionalString(u"response");
    if (reader.error()) {
        return std::unexpected(*reader.error());
    }
    std::optional<QByteArray> body;
    if (encoded) {
        const auto bytes = QByteArray::fromBase64Encoding(encoded->toLatin1(),
                                                          QByteArray::AbortOnBase64DecodingErrors);
        if (!bytes) {
            return std::unexpected(DecodingError::dataCorrupted(u"response"_s, u"not Base64"_s));
        }
        body = bytes.decoded;
    }
    return std::make_shared<PathloomNetworkStepResult>(identifier, body);
}

std::shared_ptr<ORKResult> PathloomNetworkStepResult::copy() const {
    auto copy = std::make_shared<PathloomNetworkStepResult>(identifier, std::nullopt);
    copy->response = response;
    return copy;
}

Value::Dictionary PathloomNetworkStepResult::content() const {
    return providers::isEncodable(Value(response)) ? response : Value::Dictionary{};
}

Value PathloomNetworkStepResult::fetchValue(const QString& key) const {
    return key == u"response" ? Value(response) : Value();
}

Value PathloomNetworkStepResult::fetchProvider(const QString&) const { return {}; }

std::optional<QByteArray> PathloomNetworkStepResult::jsonRepresentation() const {
    return responseData();
}

}  // namespace pathloom
