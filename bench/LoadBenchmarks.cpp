// The load of an app document from a file, whole and by stage, and the load of its cached copy,
// against the JSON parsers of Qt and simdjson reading the same bytes.

#include "BenchDocuments.h"
#include "LoadRig.h"
#include "Measured.h"

#include "documents/AppData.h"
#include "documents/StepSources.h"
#include "documents/StoredFormWriter.h"
#include "foundation/Json.h"
#include "loading/AppAssembly.h"

#include <benchmark/benchmark.h>
#include <simdjson.h>
#include <QJsonDocument>

namespace pathloom::bench {
namespace {

using namespace Qt::StringLiterals;

constexpr qsizetype kStageDocumentSize = 1'000'000;
constexpr std::optional<qint64> kServerId = 1;

void setThroughput(benchmark::State& state, const QByteArray& bytes) {
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["document_bytes"] = double(bytes.size());
}

void qtParse(benchmark::State& state) {
    const QByteArray& bytes = BenchDocuments::ofSize(state.range(0));
    for (auto _ : state) {
        QJsonDocument document = QJsonDocument::fromJson(bytes);
        benchmark::DoNotOptimize(document);
    }
    setThroughput(state, bytes);
}

void simdjsonParse(benchmark::State& state) {
    const QByteArray& bytes = BenchDocuments::ofSize(state.range(0));
    // simdjson reads past the end of its input; the padded copy is made once, as a caller
    // that keeps its buffers padded would.
    const simdjson::padded_string padded(bytes.constData(), std::size_t(bytes.size()));
    simdjson::dom::parser parser;
    for (auto _ : state) {
        simdjson::dom::element root;
        if (parser.parse(padded).get(root) != simdjson::SUCCESS) {
            state.SkipWithError("simdjson refused the document");
            break;
        }
        benchmark::DoNotOptimize(root);
    }
    setThroughput(state, bytes);
}

void filePipeline(benchmark::State& state) {
    const QString path = BenchDocuments::fileOfSize(state.range(0));
    LoadRig rig;
    // The first load creates the cache's key, which an app does once in its life.
    (void)rig.load(AppConfigurationContext::file(path, kServerId));
    for (auto _ : state) {
        auto configuration = rig.load(AppConfigurationContext::file(path, kServerId));
        if (!configuration) {
            state.SkipWithError(configuration.error().localizedDescription().toStdString().c_str());
            break;
        }
        benchmark::DoNotOptimize(configuration);
    }
    setThroughput(state, BenchDocuments::ofSize(state.range(0)));
}

void cachedLoad(benchmark::State& state) {
    const QString path = BenchDocuments::fileOfSize(state.range(0));
    LoadRig rig;
    // A file load leaves the document in the cache, as it does in an app.
    if (!rig.load(AppConfigurationContext::file(path, kServerId))) {
        state.SkipWithError("the file load failed");
        return;
    }
    for (auto _ : state) {
        auto configuration = rig.load(AppConfigurationContext::cached());
        if (!configuration) {
            state.SkipWithError(configuration.error().localizedDescription().toStdString().c_str());
            break;
        }
        benchmark::DoNotOptimize(configuration);
    }
    setThroughput(state, BenchDocuments::ofSize(state.range(0)));
}

// The stages of the file load, each on the output of the one before, for the profile of where
// the pipeline's time goes.

std::optional<AppData> decodedApp(LoadRig& rig, const QByteArray& bytes) {
    const auto json = json::parse(bytes);
    if (!json || !json->isObject()) {
        return std::nullopt;
    }
    auto app =
        AppData::fromJson(json->toObject(), kServerId, std::nullopt, *rig.manager().imageLoader());
    return app ? std::optional(std::move(*app)) : std::nullopt;
}

void stageDecode(benchmark::State& state) {
    const QByteArray& bytes = BenchDocuments::ofSize(kStageDocumentSize);
    LoadRig rig;
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    for (auto _ : state) {
        auto app = AppData::fromJson(object, kServerId, std::nullopt, *rig.manager().imageLoader());
        benchmark::DoNotOptimize(app);
    }
    setThroughput(state, bytes);
}

void stageStoredForm(benchmark::State& state) {
    const QByteArray& bytes = BenchDocuments::ofSize(kStageDocumentSize);
    LoadRig rig;
    const std::optional<AppData> app = decodedApp(rig, bytes);
    if (!app) {
        state.SkipWithError("the document did not decode");
        return;
    }
    // As the pipeline writes it: from each step's own bytes in the document.
    for (auto _ : state) {
        const std::optional<StepSources> sources = StepSources::find(bytes);
        QByteArray stored = StoredFormWriter::write(*app, sources ? &*sources : nullptr);
        benchmark::DoNotOptimize(stored);
    }
    setThroughput(state, bytes);
}

void stageCacheWrite(benchmark::State& state) {
    const QByteArray& bytes = BenchDocuments::ofSize(kStageDocumentSize);
    LoadRig rig;
    const std::optional<AppData> app = decodedApp(rig, bytes);
    if (!app) {
        state.SkipWithError("the document did not decode");
        return;
    }
    const QByteArray stored = StoredFormWriter::write(*app);
    (void)rig.manager().cacheStorage().saveEncoded(stored, u".env"_s, true);
    for (auto _ : state) {
        if (!rig.manager().cacheStorage().saveEncoded(stored, u".env"_s, true)) {
            state.SkipWithError("the cache write failed");
            break;
        }
    }
    setThroughput(state, bytes);
}

void stageAssembly(benchmark::State& state) {
    const QByteArray& bytes = BenchDocuments::ofSize(kStageDocumentSize);
    LoadRig rig;
    const std::optional<AppData> app = decodedApp(rig, bytes);
    if (!app) {
        state.SkipWithError("the document did not decode");
        return;
    }
    const AssemblyContext context = rig.assemblyContext();
    for (auto _ : state) {
        auto configuration = buildAppConfiguration(*app, context);
        if (!configuration) {
            state.SkipWithError(configuration.error().localizedDescription().toStdString().c_str());
            break;
        }
        benchmark::DoNotOptimize(configuration);
    }
    setThroughput(state, bytes);
}

void documentSizes(benchmark::internal::Benchmark* benchmark) {
    measured(benchmark);
    benchmark->Unit(benchmark::kMillisecond)->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000);
}

void stageSize(benchmark::internal::Benchmark* benchmark) {
    measured(benchmark);
    benchmark->Unit(benchmark::kMillisecond)->Arg(kStageDocumentSize);
}

BENCHMARK(qtParse)->Name("Load/QtParse")->Apply(documentSizes);
BENCHMARK(simdjsonParse)->Name("Load/Simdjson")->Apply(documentSizes);
BENCHMARK(filePipeline)->Name("Load/FilePipeline")->Apply(documentSizes);
BENCHMARK(cachedLoad)->Name("Load/Cached")->Apply(documentSizes);
BENCHMARK(stageDecode)->Name("LoadStage/Decode")->Apply(stageSize);
BENCHMARK(stageStoredForm)->Name("LoadStage/StoredForm")->Apply(stageSize);
BENCHMARK(stageCacheWrite)->Name("LoadStage/CacheWrite")->Apply(stageSize);
BENCHMARK(stageAssembly)->Name("LoadStage/Assembly")->Apply(stageSize);

}  // namespace
}  // namespace pathloom::bench
