#include "steps/PathloomDisplayStep.h"

#include "foundation/Json.h"
#include "steps/DisplayItem.h"

namespace pathloom {

using namespace Qt::StringLiterals;

PathloomDisplayStep::PathloomDisplayStep(QString identifier,
                                         std::shared_ptr<NetworkManager> networkManager,
                                         std::shared_ptr<ImageLoader> imageLoader)
    : ORKTableStep(std::move(identifier)),
      m_networkManager(std::move(networkManager)),
      m_imageLoader(std::move(imageLoader)) {}

StepBuildResult PathloomDisplayStep::build(const StepData& data, const StepContext&,
                                           const std::shared_ptr<NetworkManager>& networkManager,
                                           const std::shared_ptr<ImageLoader>& imageLoader,
                                           const Localization& localization) {
    const QJsonArray elements = json::readArray(data.content, u"items").value_or(QJsonArray{});
    for (const QJsonValue& element : elements) {
        if (element.isNull()) {
            return std::unexpected(ParseError::invalidStepData(u"null display item found"_s));
        }
    }
    QList<Value> items;
    for (const QJsonObject& object : json::asObjectList(elements).value_or(QList<QJsonObject>{})) {
        std::expected<std::shared_ptr<DisplayItem>, ParseError> item =
            DisplayItem::fromStepDocument(object, localization);
        if (!item) {
            return std::unexpected(item.error());
        }
        items.append(Value::Object(std::move(*item)));
    }
    auto step = std::make_shared<PathloomDisplayStep>(data.identifier, networkManager, imageLoader);
    step->allowsSelection = false;
    step->items = std::move(items);
    return step;
}

QMap<QString, QString> PathloomDisplayStep::cellClassNames() const {
    return displayCellClassNames();
}

std::optional<TableRow> PathloomDisplayStep::tableRow(qsizetype row) const {
    return displayRow(objectForRow(row));
}

}  // namespace pathloom
