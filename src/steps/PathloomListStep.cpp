#include "steps/PathloomListStep.h"

#include "foundation/Json.h"
#include "loading/Localization.h"
#include "steps/ListStepItem.h"

namespace pathloom {

namespace {

// The entry of one step-document object, or nothing without an integer "id" and a text "text".
std::shared_ptr<ListStepItem> entryOf(const QJsonObject& object, const Localization& localization) {
    std::optional<QString> text = localization.translate(json::readString(object, u"text"));
    const std::optional<qint64> id = json::readInteger(object, u"id");
    if (!id || !text) {
        return nullptr;
    }
    return std::make_shared<ListStepItem>(
        *id, std::move(*text), localization.translate(json::readString(object, u"detailText")),
        json::readString(object, u"sfSymbolName"), json::readString(object, u"imageURL"));
}

}  // namespace

PathloomListStep::PathloomListStep(QString identifier,
                                   std::shared_ptr<NetworkManager> networkManager,
                                   std::shared_ptr<ImageLoader> imageLoader,
                                   QList<qint64> secondaryWorkflowIDs)
    : ORKTableStep(std::move(identifier)),
      m_networkManager(std::move(networkManager)),
      m_imageLoader(std::move(imageLoader)),
      m_secondaryWorkflowIDs(std::move(secondaryWorkflowIDs)) {}

StepBuildResult PathloomListStep::build(const StepData& data, const StepContext&,
                                        const std::shared_ptr<NetworkManager>& networkManager,
                                        const std::shared_ptr<ImageLoader>& imageLoader,
                                        const Localization& localization) {
    auto step = std::make_shared<PathloomListStep>(data.identifier, networkManager, imageLoader,
                                                   secondaryWorkflowIDsIn(data.content));
    for (const QJsonObject& object :
         json::readObjectList(data.content, u"items").value_or(QList<QJsonObject>{})) {
        if (std::shared_ptr<ListStepItem> entry = entryOf(object, localization)) {
            step->items.append(Value::Object(std::move(entry)));
        }
    }
    step->allowsSelection = true;
    return step;
}

QMap<QString, QString> PathloomListStep::cellClassNames() const { return listCellClassNames(); }

std::optional<TableRow> PathloomListStep::tableRow(qsizetype row) const {
    return listRow(objectForRow(row), allowsSelection);
}

}  // namespace pathloom
