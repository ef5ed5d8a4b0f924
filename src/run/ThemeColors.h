#pragma once

#include <QColor>

namespace pathloom {

// The colours that follow from the app's tint: text drawn on a coloured fill stays readable by
// turning black on light colours and white on dark ones.
class ThemeColors {
public:
    // White when the relative luminance 0.2126 r + 0.7152 g + 0.0722 b of `color` (components
    // from 0 to 1, alpha ignored) is below 0.75, black otherwise.
    [[nodiscard]] static QColor contrast(const QColor& color);
    // The title colour of buttons filled with `tint`.
    [[nodiscard]] static QColor buttonTitleColor(const QColor& tint);
    [[nodiscard]] static double luminance(const QColor& color);
};

}  // namespace pathloom
