// The main function of every screen test: GoogleTest inside a widgets application with the app's
// own look (style, palette, fonts) at a fixed 96 dpi, so that sizes and screenshots are the same
// on every machine.

#include "platform/Theme.h"

#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("QT_FONT_DPI", "96");
    QApplication application(argc, argv);
    pathloom::Theme::apply(application);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
