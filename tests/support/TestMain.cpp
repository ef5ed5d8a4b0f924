// The main function of every test program: GoogleTest inside a Qt application, so that event
// loops, worker threads, images and PDF writing work as they do in the apps.

#include <gtest/gtest.h>
#include <QGuiApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
