#pragma once

#include "steps/TableRow.h"

#include <QFont>

class QLabel;
class QWidget;

namespace pathloom {

// How the cells of the framework's tables draw what a step's row describes: the row's text
// styles and colours, and the cell background every row sits on.
class TableCellStyle {
public:
    [[nodiscard]] static QFont font(TableRow::TextStyle style, const QFont& standard);
    // Shows `line` in `label`: its text (the label hides without one), style, colour and wrapping.
    static void apply(const TableRow::Line& line, QLabel& label);
    // The secondary system background of every row.
    static void paintCellBackground(QWidget& cell);
};

}  // namespace pathloom
