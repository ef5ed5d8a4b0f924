#include "steps/NetworkStepController.h"

#include "foundation/DispatchQueue.h"
#include "foundation/Json.h"
#include "network/NetworkManager.h"
#include "session/PathloomNetworkStepResult.h"

namespace pathloom {

std::shared_ptr<NetworkStepController> NetworkStepController::create(
    std::shared_ptr<PathloomNetworkStep> step, StepControllerDelegate& delegate,
    BinaryConverter converter) {
    return std::shared_ptr<NetworkStepController>(
        new NetworkStepController(std::move(step), delegate, converter));
}

NetworkStepController::NetworkStepController(std::shared_ptr<PathloomNetworkStep> step,
                                             StepControllerDelegate& delegate,
                                             BinaryConverter converter)
    : m_step(std::move(step)), m_delegate(delegate), m_converter(converter) {}

void NetworkStepController::start() {
    setLoading(true);
    m_converter.convertBinaries(
        m_step->networkManager()->stepsSession(),
        [weakSelf = weak_from_this()](std::optional<Error> error) {
            DispatchQueue::main()->async([weakSelf, error = std::move(error)] {
                const auto self = weakSelf.lock();
                if (!self) {
                    return;
                }
                if (error) {
                    self->fail(*error);
                    return;
                }
                self->send();
            });
        });
}

void NetworkStepController::send() {
    setLoading(true);
    const std::shared_ptr<NetworkManager>& manager = m_step->networkManager();
    std::expected<NetworkManager::PreparedRequest, Error> request =
        manager->sessionPostRequest(m_step->url());
    if (!request) {
        fail(request.error());
        return;
    }
    m_request = manager->send(std::move(*request), DispatchQueue::main(), m_step->url(),
                              [weakSelf = weak_from_this()](NetworkManager::DataResult body) {
                                  const auto self = weakSelf.lock();
                                  if (!self) {
                                      return;
                                  }
                                  self->m_request.release();
                                  if (!body) {
                                      self->fail(body.error());
                                      return;
                                  }
                                  self->readReply(*body);
                              });
}

void NetworkStepController::readReply(const QByteArray& body) {
    const auto json = json::parse(body, json::Fragments::allowed);
    if (!json) {
        fail(json.error());
        return;
    }
    NetworkStepResponse response = NetworkStepResponse::fromJson(json->toObject());
    if (response.binariesURL.isEmpty()) {
        setLoading(false);
        finish(std::move(response.response));
        return;
    }
    upload(std::move(response));
}

void NetworkStepController::upload(NetworkStepResponse response) {
    setLoading(true);
    m_step->networkManager()->uploadBinaries(
        response.binariesURL, DispatchQueue::main(),
        [weakSelf = weak_from_this(), answer = response.response](const FileUploadUpdate& update) {
            const auto self = weakSelf.lock();
            if (!self) {
                return;
            }
            switch (update.kind) {
                case FileUploadUpdate::Kind::failed:
                    self->fail(*update.error);
                    break;
                case FileUploadUpdate::Kind::uploaded:
                    break;
                case FileUploadUpdate::Kind::completed:
                    self->setLoading(false);
                    self->finish(answer);
                    break;
            }
        });
}

void NetworkStepController::finish(Value::Dictionary response) {
    auto result = std::make_shared<PathloomNetworkStepResult>(m_step->identifier, std::nullopt);
    result->response = std::move(response);
    m_delegate.addResult(std::move(result));
    m_delegate.goForward();
}

void NetworkStepController::fail(const Error& error) {
    setLoading(false);
    m_delegate.showError(error);
}

void NetworkStepController::setLoading(bool loading) {
    if (loading == m_loading) {
        return;
    }
    m_loading = loading;
    m_delegate.setLoading(loading);
}

}  // namespace pathloom
