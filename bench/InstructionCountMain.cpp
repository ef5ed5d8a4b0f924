// pathloom-bench-instructions pipeline|qtparse FILE
// Runs one file load of FILE through a configuration manager as an app makes it (pipeline), or
// Qt's JSON parse of its bytes (qtparse), with callgrind's instrumentation on only around that
// work, so that `valgrind --tool=callgrind --instr-atstart=no` counts the instructions of the
// work itself, on every thread. The counts do not move with the machine's load, unlike times.

#include "LoadRig.h"

#include <valgrind/callgrind.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    QTextStream err(stderr);
    if (arguments.size() != 2 || (arguments[0] != u"pipeline" && arguments[0] != u"qtparse")) {
        err << "usage: pathloom-bench-instructions pipeline|qtparse FILE\n";
        return 2;
    }
    QFile file(arguments[1]);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "pathloom-bench-instructions: cannot read " << arguments[1] << '\n';
        return 2;
    }
    const QByteArray bytes = file.readAll();

    if (arguments[0] == u"qtparse") {
        CALLGRIND_START_INSTRUMENTATION;
        const QJsonDocument document = QJsonDocument::fromJson(bytes);
        CALLGRIND_STOP_INSTRUMENTATION;
        return document.isObject() ? 0 : 1;
    }
    pathloom::bench::LoadRig rig;
    const auto context = pathloom::AppConfigurationContext::file(arguments[1], 1);
    // The first load creates the cache's key, which an app does once in its life.
    if (!rig.load(context)) {
        err << "pathloom-bench-instructions: the document does not load\n";
        return 1;
    }
    CALLGRIND_START_INSTRUMENTATION;
    const auto configuration = rig.load(context);
    CALLGRIND_STOP_INSTRUMENTATION;
    return configuration ? 0 : 1;
}
