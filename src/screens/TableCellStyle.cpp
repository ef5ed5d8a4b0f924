#include "screens/TableCellStyle.h"

#include "platform/SystemPalette.h"
#include "platform/TextStyles.h"

#include <QLabel>

namespace pathloom {

QFont TableCellStyle::font(TableRow::TextStyle style, const QFont& standard) {
    switch (style) {
        case TableRow::TextStyle::standard:
            return standard;
        case TableRow::TextStyle::body:
            return TextStyles::font(TextStyles::Style::body);
        case TableRow::TextStyle::subheadline:
            return TextStyles::font(TextStyles::Style::subheadline);
        case TableRow::TextStyle::largeTitle:
            return TextStyles::font(TextStyles::Style::largeTitle);
    }
    return standard;
}

void TableCellStyle::apply(const TableRow::Line& line, QLabel& label) {
    label.setVisible(line.text.has_value());
    label.setText(line.text.value_or(QString()));
    label.setFont(font(line.style, label.font()));
    label.setWordWrap(line.wraps);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText,
                     SystemPalette::color(line.color == TableRow::TextColor::label
                                              ? SystemPalette::Role::label
                                              : SystemPalette::Role::secondaryLabel));
    label.setPalette(palette);
}

void TableCellStyle::paintCellBackground(QWidget& cell) {
    cell.setAutoFillBackground(true);
    QPalette palette = cell.palette();
    palette.setColor(QPalette::Window,
                     SystemPalette::color(SystemPalette::Role::secondarySystemBackground));
    cell.setPalette(palette);
}

}  // namespace pathloom
