#pragma once

#include "steps/HasSecondaryWorkflows.h"
#include "steps/TableStep.h"
#include "taskmodel/Value.h"

#include <QJsonObject>
#include <memory>

namespace pathloom {

class ImageLoader;
class NetworkManager;

// A step that shows ListStepItem entries as table rows, with the HTTP client and the image
// loader that its screen uses. The list steps share their row description and their reading of
// "workflows" through the helpers below.
class ListStep : public HasSecondaryWorkflows, public TableStep {
public:
    [[nodiscard]] virtual const std::shared_ptr<NetworkManager>& networkManager() const = 0;
    [[nodiscard]] virtual std::shared_ptr<ImageLoader> imageLoader() const = 0;

protected:
    // Every row uses "DetailCellReuseIdentifier".
    [[nodiscard]] static QMap<QString, QString> listCellClassNames();
    // The row of an entry: its text over its detail text, its symbol, and a disclosure indicator
    // when the entry can be selected. Nothing when `object` is not a ListStepItem.
    [[nodiscard]] static std::optional<TableRow> listRow(const Value& object, bool allowsSelection);
    // The integer "id" of each object of the array under "workflows", in order, skipping objects
    // without one; empty when "workflows" is not an array of objects.
    [[nodiscard]] static QList<qint64> secondaryWorkflowIDsIn(const QJsonObject& content);
};

}  // namespace pathloom
