#include "steps/PathloomNetworkListStep.h"

#include "foundation/Json.h"
#include "loading/Localization.h"

namespace pathloom {

PathloomNetworkListStep::PathloomNetworkListStep(QString identifier, std::optional<QString> url,
                                                 std::optional<QString> emptyText,
                                                 std::shared_ptr<NetworkManager> networkManager,
                                                 std::shared_ptr<ImageLoader> imageLoader,
                                                 QList<qint64> secondaryWorkflowIDs)
    : ORKTableStep(std::move(identifier)),
      m_url(std::move(url)),
      m_emptyText(std::move(emptyText)),
      m_networkManager(std::move(networkManager)),
      m_imageLoader(std::move(imageLoader)),
      m_secondaryWorkflowIDs(std::move(secondaryWorkflowIDs)) {}

StepBuildResult PathloomNetworkListStep::build(
    const StepData& data, const StepContext&, const std::shared_ptr<NetworkManager>& networkManager,
    const std::shared_ptr<ImageLoader>& imageLoader, const Localization& localization) {
    auto step = std::make_shared<PathloomNetworkListStep>(
        data.identifier, json::readString(data.content, u"url"),
        localization.translate(json::readString(data.content, u"emptyText")), networkManager,
        imageLoader, secondaryWorkflowIDsIn(data.content));
    step->allowsSelection = true;
    return step;
}

QMap<QString, QString> PathloomNetworkListStep::cellClassNames() const {
    return listCellClassNames();
}

std::optional<TableRow> PathloomNetworkListStep::tableRow(qsizetype row) const {
    return listRow(objectForRow(row), allowsSelection);
}

}  // namespace pathloom
