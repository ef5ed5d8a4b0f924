#include "steps/PathloomNetworkDisplayStep.h"

#include "foundation/Json.h"

namespace pathloom {

PathloomNetworkDisplayStep::PathloomNetworkDisplayStep(
    QString identifier, std::optional<QString> url, std::shared_ptr<NetworkManager> networkManager,
    std::shared_ptr<ImageLoader> imageLoader)
    : ORKTableStep(std::move(identifier)),
      m_url(std::move(url)),
      m_networkManager(std::move(networkManager)),
      m_imageLoader(std::move(imageLoader)) {}

StepBuildResult PathloomNetworkDisplayStep::build(
    const StepData& data, const StepContext&, const std::shared_ptr<NetworkManager>& networkManager,
    const std::shared_ptr<ImageLoader>& imageLoader, const Localization&) {
    auto step = std::make_shared<PathloomNetworkDisplayStep>(
        data.identifier, json::readString(data.content, u"url"), networkManager, imageLoader);
    step->allowsSelection = false;
    return step;
}

QMap<QString, QString> PathloomNetworkDisplayStep::cellClassNames() const {
    return displayCellClassNames();
}

std::optional<TableRow> PathloomNetworkDisplayStep::tableRow(qsizetype row) const {
    return displayRow(objectForRow(row));
}

}  // namespace pathloom
