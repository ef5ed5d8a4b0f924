#include "steps/PathloomNetworkStep.h"

#include "foundation/Json.h"
#include "loading/Localization.h"

namespace pathloom {

using namespace Qt::StringLiterals;

PathloomNetworkStep::PathloomNetworkStep(QString identifier, QString url,
                                         std::shared_ptr<NetworkManager> networkManager)
    : ORKWaitStep(std::move(identifier)),
      m_networkManager(std::move(networkManager)),
      m_url(std::move(url)) {}

StepBuildResult PathloomNetworkStep::build(const StepData& data, const StepContext&,
                                           const std::shared_ptr<NetworkManager>& networkManager,
                                           const std::shared_ptr<ImageLoader>&,
                                           const Localization& localization) {
    std::optional<QString> url = json::readString(data.content, u"url");
    if (!url) {
        return std::unexpected(
            ParseError::invalidStepData(u"Invalid NetworkStep url for "_s + data.identifier));
    }
    auto step =
        std::make_shared<PathloomNetworkStep>(data.identifier, std::move(*url), networkManager);
    step->title = localization.translate(json::readString(data.content, u"title"));
    step->text = localization.translate(json::readString(data.content, u"text"));
    return step;
}

}  // namespace pathloom
