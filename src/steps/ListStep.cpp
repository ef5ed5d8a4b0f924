#include "steps/ListStep.h"

#include "foundation/Json.h"
#include "steps/ListStepItem.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

const QString kDetailCellReuseIdentifier = u"DetailCellReuseIdentifier"_s;

}  // namespace

QMap<QString, QString> ListStep::listCellClassNames() {
    return {{kDetailCellReuseIdentifier, u"PathloomSubtitleTableViewCell"_s}};
}

std::optional<TableRow> ListStep::listRow(const Value& object, bool allowsSelection) {
    const std::shared_ptr<ListStepItem> item = object.object<ListStepItem>();
    if (!item) {
        return std::nullopt;
    }
    TableRow row;
    row.reuseIdentifier = kDetailCellReuseIdentifier;
    row.cellClassName = listCellClassNames().value(kDetailCellReuseIdentifier);
    row.title = {.text = item->text, .color = TableRow::TextColor::label};
    row.detail = {.text = item->detailText, .color = TableRow::TextColor::secondaryLabel};
    row.symbolName = item->sfSymbolName;
    row.showsDisclosureIndicator = allowsSelection;
    return row;
}

QList<qint64> ListStep::secondaryWorkflowIDsIn(const QJsonObject& content) {
    QList<qint64> ids;
    for (const QJsonObject& workflow :
         json::readObjectList(content, u"workflows").value_or(QList<QJsonObject>{})) {
        if (const std::optional<qint64> id = json::readInteger(workflow, u"id")) {
            ids.append(*id);
        }
    }
    return ids;
}

}  // namespace pathloom
