#pragma once

#include "steps/TableRow.h"
#include "taskmodel/Value.h"

#include <QMap>
#include <QString>
#include <memory>
#include <optional>

namespace pathloom {

class ImageLoader;
class NetworkManager;

// A step that shows a page of DisplayItem rows, with the HTTP client and the image loader that
// its screen uses. The display steps share their row description through the helpers below.
class DisplayStep {
public:
    virtual ~DisplayStep() = default;

    [[nodiscard]] virtual const std::shared_ptr<NetworkManager>& networkManager() const = 0;
    [[nodiscard]] virtual std::shared_ptr<ImageLoader> imageLoader() const = 0;

protected:
    // One cell class for each kind of row, under the kind's reuse identifier.
    [[nodiscard]] static QMap<QString, QString> displayCellClassNames();
    // The row of an item, by the kind of its representation. Nothing when `object` is not a
    // DisplayItem.
    [[nodiscard]] static std::optional<TableRow> displayRow(const Value& object);
};

}  // namespace pathloom
