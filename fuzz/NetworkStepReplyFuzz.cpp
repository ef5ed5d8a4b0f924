// The server's reply to a network step: the body that becomes the step's result and the reply
// object that lists files to upload. The result's stored form must give back the same answer,
// and each upload entry its own JSON form.

#include "FuzzSupport.h"
#include "session/NetworkStepResponse.h"
#include "session/PathloomNetworkStepResult.h"
#include "session/Session.h"

using namespace pathloom;
using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ensureApplication();
    const QByteArray body = fuzz::bytesOf(data, size);

    auto result = std::make_shared<PathloomNetworkStepResult>(u"net"_s, body);
    (void)result->jsonRepresentation();
    (void)result->content();
    const QJsonObject stored = result->toJson();
    const auto restored = PathloomNetworkStepResult::fromJson(stored);
    if (!restored) {
        fuzz::fail("a network step result's stored form does not decode",
                   restored.error().description().toUtf8());
    }
    if ((*restored)->response != result->response) {
        fuzz::fail("a network step result's stored form gives another answer");
    }
    Session session;
    session.setValueProvider(u"net"_s, Value(Value::Object(result)));
    (void)session.value(u"net.response"_s);
    (void)session.jsonRepresentation();

    if (const std::optional<QJsonObject> reply = fuzz::jsonObjectOf(body)) {
        const NetworkStepResponse response = NetworkStepResponse::fromJson(*reply);
        for (const NetworkStepBinaryResponse& binary : response.binariesURL) {
            const auto again = NetworkStepBinaryResponse::fromJson(binary.toJson());
            if (!again || !(*again == binary)) {
                fuzz::fail("an upload entry's JSON form gives another entry");
            }
        }
    }
    return 0;
}
