#pragma once

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <expected>
#include <optional>

namespace pathloom::bench {

// Turns the JSON output of the benchmarks (with the "min" statistic of every benchmark), the
// peak memory of the command and the times of whole programs into one Markdown table: every figure
// beside the baseline measured in the same run, their ratio, and whether the ratio meets its
// target.
class BenchReport {
public:
    // Peak resident memory of `pathloom validate` on the large document and on a tiny one.
    struct Memory {
        double idleKilobytes = 0;
        double peakKilobytes = 0;
        double documentBytes = 0;
    };
    // Fastest time from process start to exit of a program and of its baseline, from
    // interleaved runs: `pathloom-app cached --quit-after-first-paint` on the 100 KB document
    // against the bare QLabel program, `pathloom lint` against `pathloom validate` on the 10 MB
    // document.
    struct ProgramTimes {
        double figureMilliseconds = 0;
        double baselineMilliseconds = 0;
    };

    // Instructions callgrind counts for one file load of the 1 MB document and for Qt's parse
    // of the same bytes: the same whatever else runs.
    struct InstructionCounts {
        double pipeline = 0;
        double qtParse = 0;
    };
    // What is measured outside the benchmarks; absent parts show as not measured.
    struct Measurements {
        std::optional<Memory> memory;
        std::optional<ProgramTimes> startup;
        std::optional<ProgramTimes> lint;
        std::optional<InstructionCounts> instructions;
    };

    [[nodiscard]] static std::expected<BenchReport, QString> fromJson(const QJsonObject& results,
                                                                      Measurements measurements);

    // The table, one row per comparison, in Markdown.
    [[nodiscard]] QString table() const;
    // How many rows have a target and miss it, or lack a measurement.
    [[nodiscard]] int missedTargets() const { return m_missed; }

private:
    // The fastest repetition of one benchmark.
    struct Run {
        double seconds = 0;  // per iteration
        QHash<QString, double> counters;
        bool failed = false;
    };

    // A figure or its baseline: the benchmark it comes from and what it is called in the table.
    struct Side {
        QString label;
        QString benchmark;
    };

    void build();
    [[nodiscard]] const Run* find(const QString& benchmark) const;
    // Higher is better: MB/s of both sides; the ratio is figure / baseline.
    void throughputRow(const QString& what, const Side& figure, const Side& baseline,
                       std::optional<double> minimumRatio);
    // Lower is better: time per iteration of both sides; the ratio is figure / baseline.
    void timeRow(const QString& what, const Side& figure, const Side& baseline,
                 std::optional<double> maximumRatio);
    // Time per step of both sides (the "steps" counter); the ratio is figure / baseline.
    void perStepRow(const QString& what, const Side& figure, const Side& baseline,
                    double maximumRatio);
    void memoryRow();
    void instructionsRow();
    void programRow(const QString& what, const Side& figure, const Side& baseline,
                    const std::optional<ProgramTimes>& times, double maximumRatio);
    void addRow(const QString& what, const QString& figure, const QString& baseline,
                const QString& ratio, const QString& target, std::optional<bool> holds);

    QHash<QString, Run> m_runs;
    Measurements m_measured;
    int m_missed = 0;
    QStringList m_rows;
};

}  // namespace pathloom::bench
