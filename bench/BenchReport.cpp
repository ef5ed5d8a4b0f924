#include "BenchReport.h"

#include <QJsonArray>

namespace pathloom::bench {

using namespace Qt::StringLiterals;

namespace {

double secondsPer(const QString& unit) {
    if (unit == u"ns") {
        return 1e-9;
    }
    if (unit == u"us") {
        return 1e-6;
    }
    if (unit == u"ms") {
        return 1e-3;
    }
    return 1.0;
}

QString duration(double seconds) {
    if (seconds >= 1.0) {
        return u"%1 s"_s.arg(seconds, 0, 'f', 2);
    }
    if (seconds >= 1e-3) {
        return u"%1 ms"_s.arg(seconds * 1e3, 0, 'f', 2);
    }
    return u"%1 µs"_s.arg(seconds * 1e6, 0, 'f', 1);
}

QString number(double value, int decimals = 2) { return QString::number(value, 'f', decimals); }

}  // namespace

std::expected<BenchReport, QString> BenchReport::fromJson(const QJsonObject& results,
                                                          Measurements measurements) {
    const QJsonValue benchmarks = results.value(u"benchmarks"_s);
    if (!benchmarks.isArray()) {
        return std::unexpected(u"no \"benchmarks\" array in the results"_s);
    }
    BenchReport report;
    report.m_measured = std::move(measurements);
    for (const QJsonValue& value : benchmarks.toArray()) {
        const QJsonObject entry = value.toObject();
        const QString runName = entry.value(u"run_name"_s).toString();
        Run& run = report.m_runs[runName];
        if (entry.value(u"error_occurred"_s).toBool()) {
            run.failed = true;
            continue;
        }
        if (entry.value(u"aggregate_name"_s).toString() != u"min") {
            continue;
        }
        run.seconds = entry.value(u"real_time"_s).toDouble() *
                      secondsPer(entry.value(u"time_unit"_s).toString());
        for (const QString& counter : {u"document_bytes"_s, u"steps"_s}) {
            if (entry.contains(counter)) {
                run.counters.insert(counter, entry.value(counter).toDouble());
            }
        }
    }
    report.build();
    return report;
}

const BenchReport::Run* BenchReport::find(const QString& benchmark) const {
    // Run names carry the benchmark's options after its name and arguments ("/real_time",
    // "/iterations:3/real_time").
    for (auto it = m_runs.constBegin(); it != m_runs.constEnd(); ++it) {
        if (it.key() == benchmark || it.key().startsWith(benchmark + u'/')) {
            return it->failed || it->seconds <= 0 ? nullptr : &*it;
        }
    }
    return nullptr;
}

void BenchReport::addRow(const QString& what, const QString& figure, const QString& baseline,
                         const QString& ratio, const QString& target, std::optional<bool> holds) {
    QString verdict = u"—"_s;
    if (holds) {
        verdict = *holds ? u"yes"_s : u"**no**"_s;
        if (!*holds) {
            ++m_missed;
        }
    }
    m_rows.append(
        u"| %1 | %2 | %3 | %4 | %5 | %6 |"_s.arg(what, figure, baseline, ratio, target, verdict));
}

void BenchReport::throughputRow(const QString& what, const Side& figure, const Side& baseline,
                                std::optional<double> minimumRatio) {
    const Run* ours = find(figure.benchmark);
    const Run* theirs = find(baseline.benchmark);
    const QString target = minimumRatio ? u"≥ %1 %"_s.arg(*minimumRatio * 100) : u"—"_s;
    if (!ours || !theirs || !ours->counters.contains(u"document_bytes"_s)) {
        addRow(what, u"not measured"_s, baseline.label, u"—"_s, target,
               minimumRatio ? std::optional(false) : std::nullopt);
        return;
    }
    const double bytes = ours->counters.value(u"document_bytes"_s);
    const double oursRate = bytes / ours->seconds / 1e6;
    const double theirsRate = bytes / theirs->seconds / 1e6;
    const double ratio = oursRate / theirsRate;
    addRow(what, u"%1: %2 MB/s"_s.arg(figure.label, number(oursRate, 1)),
           u"%1: %2 MB/s"_s.arg(baseline.label, number(theirsRate, 1)),
           u"%1 %"_s.arg(number(ratio * 100, 1)), target,
           minimumRatio ? std::optional(ratio >= *minimumRatio) : std::nullopt);
}

void BenchReport::timeRow(const QString& what, const Side& figure, const Side& baseline,
                          std::optional<double> maximumRatio) {
    const Run* ours = find(figure.benchmark);
    const Run* theirs = find(baseline.benchmark);
    const QString target = maximumRatio ? u"≤ %1×"_s.arg(*maximumRatio) : u"—"_s;
    if (!ours || !theirs) {
        addRow(what, u"not measured"_s, baseline.label, u"—"_s, target,
               maximumRatio ? std::optional(false) : std::nullopt);
        return;
    }
    const double ratio = ours->seconds / theirs->seconds;
    addRow(what, u"%1: %2"_s.arg(figure.label, duration(ours->seconds)),
           u"%1: %2"_s.arg(baseline.label, duration(theirs->seconds)), u"%1×"_s.arg(number(ratio)),
           target, maximumRatio ? std::optional(ratio <= *maximumRatio) : std::nullopt);
}

void BenchReport::perStepRow(const QString& what, const Side& figure, const Side& baseline,
                             double maximumRatio) {
    const Run* ours = find(figure.benchmark);
    const Run* theirs = find(baseline.benchmark);
    const QString target = u"≤ %1×"_s.arg(maximumRatio);
    if (!ours || !theirs || ours->counters.value(u"steps"_s) <= 0 ||
        theirs->counters.value(u"steps"_s) <= 0) {
        addRow(what, u"not measured"_s, baseline.label, u"—"_s, target, false);
        return;
    }
    const double oursPerStep = ours->seconds / ours->counters.value(u"steps"_s) * 1e6;
    const double theirsPerStep = theirs->seconds / theirs->counters.value(u"steps"_s) * 1e6;
    addRow(what, u"%1: %2 µs/step"_s.arg(figure.label, number(oursPerStep)),
           u"%1: %2 µs/step"_s.arg(baseline.label, number(theirsPerStep)),
           u"%1×"_s.arg(number(oursPerStep / theirsPerStep)), target,
           oursPerStep <= maximumRatio * theirsPerStep);
}

void BenchReport::instructionsRow() {
    const QString what = u"File load pipeline, 1 MB, instructions counted by callgrind"_s;
    const QString baseline = u"QJsonDocument::fromJson"_s;
    const QString target = u"≥ 50 %"_s;
    const auto& counts = m_measured.instructions;
    if (!counts || counts->pipeline <= 0 || counts->qtParse <= 0) {
        addRow(what, u"not measured"_s, baseline, u"—"_s, target, false);
        return;
    }
    // As the throughput rows: the share of Qt's parse in the pipeline's work.
    const double ratio = counts->qtParse / counts->pipeline;
    addRow(what, u"pipeline: %1 M"_s.arg(number(counts->pipeline / 1e6, 1)),
           u"%1: %2 M"_s.arg(baseline, number(counts->qtParse / 1e6, 1)),
           u"%1 %"_s.arg(number(ratio * 100, 1)), target, ratio >= 0.5);
}

void BenchReport::memoryRow() {
    const QString what = u"Peak memory, `pathloom validate` of the 10 MB document"_s;
    const QString target = u"≤ 4× document"_s;
    if (!m_measured.memory || m_measured.memory->documentBytes <= 0) {
        addRow(what, u"not measured"_s, u"idle: validate of a one-step document"_s, u"—"_s, target,
               false);
        return;
    }
    const double above =
        (m_measured.memory->peakKilobytes - m_measured.memory->idleKilobytes) * 1024.0;
    const double ratio = above / m_measured.memory->documentBytes;
    addRow(what,
           u"peak %1 MB, %2 MB above idle"_s.arg(
               number(m_measured.memory->peakKilobytes / 1024.0, 1), number(above / 1048576.0, 1)),
           u"idle %1 MB; document %2 MB"_s.arg(
               number(m_measured.memory->idleKilobytes / 1024.0, 1),
               number(m_measured.memory->documentBytes / 1048576.0, 1)),
           u"%1× document"_s.arg(number(ratio)), target, ratio <= 4.0);
}

void BenchReport::programRow(const QString& what, const Side& figure, const Side& baseline,
                             const std::optional<ProgramTimes>& times, double maximumRatio) {
    const QString target = u"≤ %1×"_s.arg(maximumRatio);
    if (!times || times->figureMilliseconds <= 0 || times->baselineMilliseconds <= 0) {
        addRow(what, u"not measured"_s, baseline.label, u"—"_s, target, false);
        return;
    }
    const double ratio = times->figureMilliseconds / times->baselineMilliseconds;
    addRow(what, u"%1: %2"_s.arg(figure.label, duration(times->figureMilliseconds / 1e3)),
           u"%1: %2"_s.arg(baseline.label, duration(times->baselineMilliseconds / 1e3)),
           u"%1×"_s.arg(number(ratio)), target, ratio <= maximumRatio);
}

void BenchReport::build() {
    m_rows.append(
        u"| Measure | Figure | Baseline (same run, same bytes) | Ratio | Target | Holds |"_s);
    m_rows.append(u"|---|---|---|---|---|---|"_s);

    const QList<std::pair<QString, QString>> sizes{
        {u"100 KB"_s, u"100000"_s}, {u"1 MB"_s, u"1000000"_s}, {u"10 MB"_s, u"10000000"_s}};
    for (const auto& [label, size] : sizes) {
        const std::optional<double> target = size == u"100000" ? std::nullopt : std::optional(0.5);
        throughputRow(u"File load pipeline, %1"_s.arg(label),
                      {u"pipeline"_s, u"Load/FilePipeline/"_s + size},
                      {u"QJsonDocument::fromJson"_s, u"Load/QtParse/"_s + size}, target);
        throughputRow(u"File load pipeline, %1"_s.arg(label),
                      {u"pipeline"_s, u"Load/FilePipeline/"_s + size},
                      {u"simdjson DOM parse"_s, u"Load/Simdjson/"_s + size}, std::nullopt);
    }
    instructionsRow();
    const QList<std::pair<QString, QString>> stages{
        {u"decode to AppData"_s, u"LoadStage/Decode/1000000"_s},
        {u"stored form"_s, u"LoadStage/StoredForm/1000000"_s},
        {u"encrypted cache write"_s, u"LoadStage/CacheWrite/1000000"_s},
        {u"assembly"_s, u"LoadStage/Assembly/1000000"_s}};
    for (const auto& [label, benchmark] : stages) {
        timeRow(u"Load stage at 1 MB: %1"_s.arg(label), {label, benchmark},
                {u"Qt parse"_s, u"Load/QtParse/1000000"_s}, std::nullopt);
    }
    for (const auto& [label, size] : sizes) {
        timeRow(u"Cached load, %1"_s.arg(label), {u"cached"_s, u"Load/Cached/"_s + size},
                {u"file load"_s, u"Load/FilePipeline/"_s + size}, 1.5);
    }

    const QList<std::pair<QString, QString>> entries{
        {u"1 KB"_s, u"1024"_s}, {u"64 KB"_s, u"65536"_s}, {u"1 MB"_s, u"1048576"_s}};
    for (const auto& [label, size] : entries) {
        timeRow(u"Encrypted cache save, %1"_s.arg(label), {u"save"_s, u"Cache/Save/"_s + size},
                {u"seal + synced write"_s, u"Cache/BareSealAndWrite/"_s + size}, 3.0);
    }
    for (const auto& [label, size] : entries) {
        timeRow(u"Encrypted cache load, %1"_s.arg(label), {u"load"_s, u"Cache/Load/"_s + size},
                {u"read + open"_s, u"Cache/BareReadAndOpen/"_s + size},
                size == u"1024" ? std::optional(3.0) : std::nullopt);
    }
    timeRow(u"Cache key per use"_s, {u"symmetricKey()"_s, u"Crypto/SymmetricKey"_s},
            {u"one P-521 ECDH"_s, u"Crypto/P521Agreement"_s}, std::nullopt);

    for (const QString& entriesCount : {u"10"_s, u"100"_s, u"1000"_s}) {
        timeRow(u"Session JSON, %1 entries"_s.arg(entriesCount),
                {u"Session"_s, u"Session/Json/"_s + entriesCount},
                {u"QJsonDocument::toJson"_s, u"Session/QtWritesSameJson/"_s + entriesCount}, 2.0);
    }
    for (const QString& entriesCount : {u"10"_s, u"100"_s, u"1000"_s}) {
        timeRow(u"URL templating, %1 entries"_s.arg(entriesCount),
                {u"URLFormatter"_s, u"Session/UrlTemplate/"_s + entriesCount},
                {u"QUrl parse of the result"_s, u"Session/QtParsesSameUrl/"_s + entriesCount},
                std::nullopt);
    }
    perStepRow(u"Serializer decode, task-framework steps of a 1,000-step document"_s,
               {u"decode"_s, u"Steps/SerializerDecode"_s},
               {u"Qt parse of each step"_s, u"Steps/QtParsesSameSteps"_s}, 2.0);
    perStepRow(u"Assembly of a 1,000-step document"_s, {u"assembly"_s, u"Steps/Assembly"_s},
               {u"Qt parse of the document"_s, u"Steps/QtParsesSameDocument"_s}, 1.0);

    timeRow(u"1,000 sequential GETs, loopback dev server"_s,
            {u"NetworkManager"_s, u"Network/ClientSequential"_s},
            {u"QNetworkAccessManager"_s, u"Network/BareSequential"_s}, 1.2);
    timeRow(u"1,000 GETs, 16 in flight, loopback dev server"_s,
            {u"NetworkManager"_s, u"Network/ClientInFlight16"_s},
            {u"QNetworkAccessManager"_s, u"Network/BareInFlight16"_s}, 1.2);

    memoryRow();
    programRow(
        u"Start-up, process start to exit after the first paint, `pathloom-app cached` of "
        u"the 100 KB document, offscreen"_s,
        {u"pathloom-app"_s, {}}, {u"bare QApplication showing one QLabel"_s, {}},
        m_measured.startup, 2.0);
    programRow(u"`pathloom lint` of the 10 MB document, process start to exit"_s, {u"lint"_s, {}},
               {u"`pathloom validate`"_s, {}}, m_measured.lint, 3.0);
}

QString BenchReport::table() const { return m_rows.join(u'\n') + u'\n'; }

}  // namespace pathloom::bench
