#include "session/NetworkStepResponse.h"

#include "foundation/Json.h"

namespace pathloom {

NetworkStepResponse NetworkStepResponse::fromJson(const QJsonObject& json) {
    NetworkStepResponse response;
    if (const std::optional<QJsonObject> object = json::readObject(json, u"response")) {
        response.response = *Value::fromJson(*object).as<Value::Dictionary>();
    }
    const QList<QJsonObject> binaries =
        json::readObjectList(json, u"binary_urls").value_or(QList<QJsonObject>{});
    for (const QJsonObject& binary : binaries) {
        if (std::optional<NetworkStepBinaryResponse> entry =
                NetworkStepBinaryResponse::fromJson(binary)) {
            response.binariesURL.append(std::move(*entry));
        }
    }
    return response;
}

}  // namespace pathloom
