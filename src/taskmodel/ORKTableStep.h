#pragma once

#include "taskmodel/ORKStep.h"
#include "taskmodel/Value.h"

#include <QList>
#include <QString>

namespace pathloom {

// A step that shows a list of items as the rows of a table, one item per row. Subclasses put
// their own objects in `items` and say how their rows look.
class ORKTableStep : public ORKStep {
public:
    using ORKStep::ORKStep;

    // The item shown in `row`; no value for a row the table does not have.
    [[nodiscard]] Value objectForRow(qsizetype row) const {
        return row >= 0 && row < items.size() ? items.at(row) : Value();
    }

    QList<Value> items;
    bool isBulleted = false;
    QList<QString> bulletIconNames;
    bool allowsSelection = false;
    qint64 bulletType = 0;
    bool pinNavigationContainer = false;
};

}  // namespace pathloom
