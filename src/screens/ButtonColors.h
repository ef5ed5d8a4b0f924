#pragma once

#include "steps/ButtonStyle.h"

#include <QColor>

namespace pathloom {

// The nine colours of a styled button (title, fill and border for the normal, highlighted and
// disabled states), worked out from the tint it follows and the system red.
struct ButtonColors {
    // What the button shows; a selected button looks highlighted.
    enum class State { normal, highlighted, disabled };

    // The three colours of one state.
    struct Look {
        QColor title;
        QColor background;
        QColor border;

        bool operator==(const Look&) const = default;
    };

    QColor normalTintColor;
    QColor normalBackgroundColor;
    QColor normalBorderColor;
    QColor highlightedTintColor;
    QColor highlightedBackgroundColor;
    QColor highlightedBorderColor;
    QColor disabledTintColor;
    QColor disabledBackgroundColor;
    QColor disabledBorderColor;

    // Primary fills with the tint, danger with `red`; their titles take the contrast colour of
    // the fill. Outline keeps a clear fill and draws title and border in the tint.
    [[nodiscard]] static ButtonColors forStyle(ButtonStyle style, const QColor& tint,
                                               const QColor& red);

    [[nodiscard]] Look look(State state) const;

    bool operator==(const ButtonColors&) const = default;
};

}  // namespace pathloom
