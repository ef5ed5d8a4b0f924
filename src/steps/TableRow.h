#pragma once

#include "steps/ButtonStyle.h"

#include <QString>
#include <optional>

namespace pathloom {

// What one row of a table step shows, decided by the step so that its screen only draws it:
// the cell to use and the texts, symbol and button that go into it. Every row sits on the
// platform's secondary system background colour.
struct TableRow {
    enum class TextColor { label, secondaryLabel };
    // The platform's text styles; `standard` keeps the cell's own font.
    enum class TextStyle { standard, body, subheadline, largeTitle };

    // One line of text of a row; a line without text shows nothing.
    struct Line {
        std::optional<QString> text;
        TextColor color = TextColor::label;
        TextStyle style = TextStyle::standard;
        // Whether the text may wrap over any number of lines.
        bool wraps = false;
        friend bool operator==(const Line&, const Line&) = default;
    };

    QString reuseIdentifier;
    // The class of the cell registered under the reuse identifier.
    QString cellClassName;
    Line title;
    Line detail;
    // A system symbol image, drawn at `symbolStyle`.
    std::optional<QString> symbolName;
    TextStyle symbolStyle = TextStyle::standard;
    bool showsDisclosureIndicator = false;
    // Whether the row forgets the picture it showed before; the screen loads the new one.
    bool clearsPicture = false;
    // Whether the button of a picture or button cell can be tapped.
    bool buttonEnabled = false;
    // The look of the button of a button cell.
    std::optional<ButtonStyle> buttonStyle;

    friend bool operator==(const TableRow&, const TableRow&) = default;
};

}  // namespace pathloom
