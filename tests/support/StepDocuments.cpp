#include "StepDocuments.h"

#include "JsonLiteral.h"

namespace pathloom::test {

StepData stepData(const QByteArray& document) {
    const QJsonObject json = jsonObject(document);
    return StepData{json.value(u"type").toString(), json.value(u"identifier").toString(),
                    std::nullopt, std::nullopt, json};
}

std::shared_ptr<NetworkManager> someNetworkManager() {
    static int anchor = 0;
    return {std::shared_ptr<void>(), reinterpret_cast<NetworkManager*>(&anchor)};
}

}  // namespace pathloom::test
