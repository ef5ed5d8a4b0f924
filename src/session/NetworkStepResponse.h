#pragma once

#include "session/NetworkStepBinaryResponse.h"
#include "taskmodel/Value.h"

#include <QJsonObject>
#include <QList>

namespace pathloom {

// The server's answer to a network step's session post: the part that becomes the step's result
// and the files it asks the app to upload.
struct NetworkStepResponse {
    Value::Dictionary response;
    QList<NetworkStepBinaryResponse> binariesURL;

    // "response" when it is an object (else empty); "binary_urls" entries in order, skipping
    // those that are not files to upload.
    [[nodiscard]] static NetworkStepResponse fromJson(const QJsonObject& json);
};

}  // namespace pathloom
