#include "steps/DisplayStep.h"

#include "steps/DisplayItem.h"
#include "steps/DisplayItemRepresentation.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

using Cell = DisplayItemRepresentation::Cell;

QString cellClassName(Cell cell) {
    switch (cell) {
        case Cell::text:
            return u"PathloomSubtitleTableViewCell"_s;
        case Cell::image:
            return u"PathloomImageTableViewCell"_s;
        case Cell::video:
            return u"PathloomVideoTableViewCell"_s;
        case Cell::button:
            return u"PathloomButtonTableViewCell"_s;
    }
    return {};
}

}  // namespace

QMap<QString, QString> DisplayStep::displayCellClassNames() {
    QMap<QString, QString> names;
    for (const Cell cell : {Cell::text, Cell::image, Cell::video, Cell::button}) {
        names.insert(DisplayItemRepresentation::reuseIdentifier(cell), cellClassName(cell));
    }
    return names;
}

std::optional<TableRow> DisplayStep::displayRow(const Value& object) {
    const std::shared_ptr<DisplayItem> item = object.object<DisplayItem>();
    if (!item) {
        return std::nullopt;
    }
    const Cell cell = DisplayItemRepresentation::cellOf(item->type);
    TableRow row;
    row.reuseIdentifier = DisplayItemRepresentation::reuseIdentifier(cell);
    row.cellClassName = cellClassName(cell);
    switch (cell) {
        case Cell::text:
            row.title = {.text = item->label,
                         .color = TableRow::TextColor::secondaryLabel,
                         .style = TableRow::TextStyle::subheadline};
            row.detail = {.text = item->text,
                          .color = TableRow::TextColor::label,
                          .style = TableRow::TextStyle::body,
                          .wraps = true};
            break;
        case Cell::image:
            row.clearsPicture = true;
            break;
        case Cell::video:
            row.clearsPicture = true;
            row.symbolName = u"play.fill"_s;
            row.symbolStyle = TableRow::TextStyle::largeTitle;
            row.buttonEnabled = true;
            break;
        case Cell::button: {
            const std::optional<DisplayItemRepresentation> representation =
                DisplayItemRepresentation::representation(*item);
            if (const auto* button = representation
                                         ? representation->as<DisplayItemRepresentation::Button>()
                                         : nullptr) {
                row.title = {.text = button->label};
                row.buttonStyle = button->style;
                row.buttonEnabled = true;
            } else {
                // A button without a label has no action to wire: it shows as an untitled,
                // disabled button rather than shifting the rows after it.
                row.buttonStyle = item->buttonStyle.value_or(ButtonStyle::primary);
            }
            break;
        }
    }
    return row;
}

}  // namespace pathloom
