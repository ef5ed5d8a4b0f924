// pathloom-bench-report RESULTS.json [--memory IDLE_KB PEAK_KB DOCUMENT_BYTES]
//     [--startup APP_MS BARE_MS] [--lint LINT_MS VALIDATE_MS]
//     [--instructions PIPELINE QT_PARSE]
// Prints the benchmarks' table in Markdown. Exit status: 0 every target met, 1 a target missed
// or not measured, 2 usage or unreadable results.

#include "BenchReport.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// The `count` figures after an option; one that is not a number reads as 0, which the table
// shows as not measured.
std::optional<QList<double>> figures(const QStringList& arguments, qsizetype from,
                                     qsizetype count) {
    if (from + count > arguments.size()) {
        return std::nullopt;
    }
    QList<double> values;
    for (qsizetype i = from; i < from + count; ++i) {
        values.append(arguments[i].toDouble());
    }
    return values;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    QTextStream err(stderr);
    const auto usage = [&err] {
        err << "usage: pathloom-bench-report RESULTS.json [--memory IDLE_KB PEAK_KB BYTES] "
               "[--startup APP_MS BARE_MS] [--lint LINT_MS VALIDATE_MS] "
               "[--instructions PIPELINE QT_PARSE]\n";
        return 2;
    };
    if (arguments.isEmpty()) {
        return usage();
    }
    using Report = pathloom::bench::BenchReport;
    Report::Measurements measured;
    for (qsizetype i = 1; i < arguments.size();) {
        const QString& option = arguments[i];
        const qsizetype count = option == u"--memory" ? 3 : 2;
        const std::optional<QList<double>> values = figures(arguments, i + 1, count);
        if (!values) {
            return usage();
        }
        const QList<double>& v = *values;
        if (option == u"--memory" && !measured.memory) {
            measured.memory = Report::Memory{v[0], v[1], v[2]};
        } else if (option == u"--startup" && !measured.startup) {
            measured.startup = Report::ProgramTimes{v[0], v[1]};
        } else if (option == u"--lint" && !measured.lint) {
            measured.lint = Report::ProgramTimes{v[0], v[1]};
        } else if (option == u"--instructions" && !measured.instructions) {
            measured.instructions = Report::InstructionCounts{v[0], v[1]};
        } else {
            return usage();
        }
        i += count + 1;
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
    const auto report =
        pathloom::bench::BenchReport::fromJson(results.object(), std::move(measured));
    if (!report) {
        err << "pathloom-bench-report: " << report.error() << '\n';
        return 2;
    }
    QTextStream(stdout) << report->table();
    return report->missedTargets() == 0 ? 0 : 1;
}
