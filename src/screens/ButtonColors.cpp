#include "screens/ButtonColors.h"

#include "run/ThemeColors.h"

namespace pathloom {

namespace {

constexpr float kHighlightedAlpha = 0.7f;
constexpr float kDisabledAlpha = 0.3f;

QColor withAlpha(QColor color, float alpha) {
    color.setAlphaF(alpha);
    return color;
}

// Filled styles: the title in the fill's contrast colour, fill and border in the fill colour,
// fading for the highlighted and disabled states.
ButtonColors filled(const QColor& fill) {
    const QColor title = ThemeColors::contrast(fill);
    return ButtonColors{
        .normalTintColor = title,
        .normalBackgroundColor = fill,
        .normalBorderColor = fill,
        .highlightedTintColor = withAlpha(title, kHighlightedAlpha),
        .highlightedBackgroundColor = withAlpha(fill, kHighlightedAlpha),
        .highlightedBorderColor = withAlpha(fill, kHighlightedAlpha),
        .disabledTintColor = withAlpha(title, kDisabledAlpha),
        .disabledBackgroundColor = withAlpha(fill, kDisabledAlpha),
        .disabledBorderColor = withAlpha(fill, kDisabledAlpha),
    };
}

ButtonColors outlined(const QColor& tint) {
    const QColor clear(Qt::transparent);
    return ButtonColors{
        .normalTintColor = tint,
        .normalBackgroundColor = clear,
        .normalBorderColor = tint,
        .highlightedTintColor = withAlpha(tint, kHighlightedAlpha),
        .highlightedBackgroundColor = clear,
        .highlightedBorderColor = withAlpha(tint, kHighlightedAlpha),
        .disabledTintColor = withAlpha(tint, kDisabledAlpha),
        .disabledBackgroundColor = clear,
        .disabledBorderColor = withAlpha(tint, kDisabledAlpha),
    };
}

}  // namespace

ButtonColors ButtonColors::forStyle(ButtonStyle style, const QColor& tint, const QColor& red) {
    switch (style) {
        case ButtonStyle::primary:
            return filled(tint);
        case ButtonStyle::danger:
            return filled(red);
        case ButtonStyle::outline:
            return outlined(tint);
    }
    return filled(tint);
}

ButtonColors::Look ButtonColors::look(State state) const {
    switch (state) {
        case State::normal:
            return {normalTintColor, normalBackgroundColor, normalBorderColor};
        case State::highlighted:
            return {highlightedTintColor, highlightedBackgroundColor, highlightedBorderColor};
        case State::disabled:
            return {disabledTintColor, disabledBackgroundColor, disabledBorderColor};
    }
    return {normalTintColor, normalBackgroundColor, normalBorderColor};
}

}  // namespace pathloom
