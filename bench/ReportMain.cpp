// pathloom-bench-report RESULTS.json [--memory IDLE_KB PEAK_KB DOCUMENT_BYTES]
// Prints the benchmarks' table in Markdown. Exit status: 0 every target met, 1 a target missed
// or not measured, 2 usage or unreadable results.

#include "BenchReport.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    QTextStream err(stderr);
    if (arguments.size() != 1 && (arguments.size() != 5 || arguments[1] != u"--memory")) {
        err << "usage: pathloom-bench-report RESULTS.json [--memory IDLE_KB PEAK_KB BYTES]\n";
        return 2;
    }
    QFile file(arguments[0]);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "pathloom-bench-report: cannot read " << arguments[0] << '\n';
        return 2;
    }
    QJsonParseError error;
    const QJsonDocument results = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError) {
        err << "pathloom-bench-report: " << error.errorString() << '\n';
        return 2;
    }
    std::optional<pathloom::bench::BenchReport::Memory> memory;
    if (arguments.size() == 5) {
        memory = pathloom::bench::BenchReport::Memory{
            arguments[2].toDouble(), arguments[3].toDouble(), arguments[4].toDouble()};
    }
    const auto report = pathloom::bench::BenchReport::fromJson(results.object(), memory);
    if (!report) {
        err << "pathloom-bench-report: " << report.error() << '\n';
        return 2;
    }
    QTextStream(stdout) << report->table();
    return report->missedTargets() == 0 ? 0 : 1;
}
