// pathloom-bench-bare-label
// The baseline of the start-up timing: a bare QApplication that shows one QLabel in a window of
// pathloom-app's default size and quits once it has painted, as `pathloom-app
// --quit-after-first-paint` does. Exit status: 0.

#include "FirstPaintQuit.h"

#include <QApplication>
#include <QLabel>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel label(u"Pathloom"_s);
    label.resize(420, 760);
    const pathloom::bench::FirstPaintQuit quit(label);
    label.show();
    return QApplication::exec();
}
