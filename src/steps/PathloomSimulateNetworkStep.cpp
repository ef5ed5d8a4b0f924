#include "steps/PathloomSimulateNetworkStep.h"

#include "foundation/Json.h"
#include "loading/Localization.h"

namespace pathloom {

PathloomSimulateNetworkStep::PathloomSimulateNetworkStep(QString identifier,
                                                         std::optional<qint64> interval)
    : ORKWaitStep(std::move(identifier)), m_interval(interval) {}

StepBuildResult PathloomSimulateNetworkStep::build(const StepData& data, const StepContext&,
                                                   const std::shared_ptr<NetworkManager>&,
                                                   const std::shared_ptr<ImageLoader>&,
                                                   const Localization& localization) {
    auto step = std::make_shared<PathloomSimulateNetworkStep>(
        data.identifier, json::readInteger(data.content, u"interval"));
    step->title = localization.translate(json::readString(data.content, u"title"));
    step->text = localization.translate(json::readString(data.content, u"text"));
    return step;
}

}  // namespace pathloom
