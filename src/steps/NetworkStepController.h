#pragma once

#include "foundation/Cancellable.h"
#include "network/BinaryConverter.h"
#include "session/NetworkStepResponse.h"
#include "steps/PathloomNetworkStep.h"
#include "steps/StepControllerDelegate.h"

#include <memory>

namespace pathloom {

// What a network step does while it is shown: prepares the session's files, posts the session to
// the step's URL, uploads the files the server asks for, records the server's answer as the step's
// result and moves on. Every failure is shown to the user and records nothing; the step then stays
// where it is, without retrying.
//
// Reports to its delegate on the main thread. The post is cancelled when the controller goes;
// work that ends after that (file preparation, uploads the client keeps) is dropped.
class NetworkStepController : public std::enable_shared_from_this<NetworkStepController> {
public:
    [[nodiscard]] static std::shared_ptr<NetworkStepController> create(
        std::shared_ptr<PathloomNetworkStep> step, StepControllerDelegate& delegate,
        BinaryConverter converter = BinaryConverter());

    void start();
    [[nodiscard]] bool isLoading() const { return m_loading; }

private:
    NetworkStepController(std::shared_ptr<PathloomNetworkStep> step,
                          StepControllerDelegate& delegate, BinaryConverter converter);

    void send();
    void readReply(const QByteArray& body);
    void upload(NetworkStepResponse response);
    void finish(Value::Dictionary response);
    void fail(const Error& error);
    void setLoading(bool loading);

    std::shared_ptr<PathloomNetworkStep> m_step;
    StepControllerDelegate& m_delegate;
    BinaryConverter m_converter;
    Cancellable m_request;
    bool m_loading = false;
};

}  // namespace pathloom
