#include "session/NetworkStepBinaryResponse.h"

#include "foundation/Json.h"

namespace pathloom {

using namespace Qt::StringLiterals;

std::optional<NetworkStepBinaryResponse> NetworkStepBinaryResponse::fromJson(
    const QJsonObject& json) {
    std::optional<QString> identifier = json::readString(json, u"identifier");
    std::optional<QString> url = json::readString(json, u"url");
    if (!identifier || !url) {
        return std::nullopt;
    }
    const std::optional<QString> method = json::readString(json, u"method");
    return NetworkStepBinaryResponse{std::move(*identifier), std::move(*url),
                                     method ? method->toUpper() : u"POST"_s};
}

QJsonObject NetworkStepBinaryResponse::toJson() const {
    return {{u"identifier"_s, identifier}, {u"url"_s, url}, {u"method"_s, method}};
}

}  // namespace pathloom
