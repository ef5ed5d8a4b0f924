#pragma once

#include "steps/BuildableStep.h"
#include "steps/RemoteContentStep.h"
#include "taskmodel/ORKWaitStep.h"

namespace pathloom {

// The network call step: its screen posts the session to the step's URL template through the
// workflow's HTTP client and waits for the reply.
class PathloomNetworkStep : public ORKWaitStep, public RemoteContentStep {
public:
    PathloomNetworkStep(QString identifier, QString url,
                        std::shared_ptr<NetworkManager> networkManager);

    // Needs a text "url" ("Invalid NetworkStep url for <identifier>" otherwise); "title" and
    // "text" are translated, the URL is not.
    [[nodiscard]] static StepBuildResult build(
        const StepData& data, const StepContext& context,
        const std::shared_ptr<NetworkManager>& networkManager,
        const std::shared_ptr<ImageLoader>& imageLoader, const Localization& localization);

    // The request URL template; it may hold {step.property} placeholders.
    [[nodiscard]] const QString& url() const { return m_url; }
    [[nodiscard]] std::optional<QString> contentURL() const override { return m_url; }
    [[nodiscard]] const std::shared_ptr<NetworkManager>& networkManager() const override {
        return m_networkManager;
    }

private:
    std::shared_ptr<NetworkManager> m_networkManager;
    QString m_url;
};

}  // namespace pathloom
