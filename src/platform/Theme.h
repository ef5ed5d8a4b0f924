#pragma once

#include <QColor>

class QApplication;
class QWidget;

namespace pathloom {

// The look of every screen: the Fusion style, a fixed light palette built from the system
// colours, the body text style, and the app's tint as the highlight and link colour.
class Theme {
public:
    // Applies the style, palette and font to the whole application.
    static void apply(QApplication& application);
    // Makes `tint` the highlight and link colour of `window` and everything in it; widgets that
    // draw with the tint hear of it through a palette change.
    static void setTint(QWidget& window, const QColor& tint);
    // Makes `tint` the highlight and link colour of the whole application, its dialogs and menus
    // included: the tint of the app shown now.
    static void setApplicationTint(const QColor& tint);
    // The tint `widget` draws with.
    [[nodiscard]] static QColor tint(const QWidget& widget);
};

}  // namespace pathloom
