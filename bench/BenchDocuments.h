#pragma once

#include <QByteArray>
#include <QString>

namespace pathloom::bench {

// The generated app documents the benchmarks share. Each is generated once per process, on
// first use, and kept in memory and in a file of a temporary directory that lives as long as the
// process. Not thread-safe: benchmarks ask for documents from the benchmark thread only.
class BenchDocuments {
public:
    // About `bytes` long (see AppDocumentGenerator::documentOfSize).
    [[nodiscard]] static const QByteArray& ofSize(qsizetype bytes);
    [[nodiscard]] static QString fileOfSize(qsizetype bytes);
    // Exactly `steps` steps.
    [[nodiscard]] static const QByteArray& withSteps(qsizetype steps);
    // A directory for the benchmarks' own files, removed when the process ends.
    [[nodiscard]] static QString scratchDirectory();
};

}  // namespace pathloom::bench
