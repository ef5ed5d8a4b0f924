// The main function of the benchmarks: Google Benchmark inside a Qt application, so that the
// framework's queues, event loops and network client run as they do in the apps.

#include <benchmark/benchmark.h>
#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
