#pragma once

#include "steps/TableRow.h"

#include <QMap>
#include <QString>
#include <optional>

namespace pathloom {

// A table step whose rows the step itself describes: the cells to register and what each row
// shows.
class TableStep {
public:
    virtual ~TableStep() = default;

    // The cell class names by reuse identifier, to register with the table.
    [[nodiscard]] virtual QMap<QString, QString> cellClassNames() const = 0;
    // What row `row` shows; nothing for a row the step does not have or cannot show.
    [[nodiscard]] virtual std::optional<TableRow> tableRow(qsizetype row) const = 0;
};

}  // namespace pathloom
