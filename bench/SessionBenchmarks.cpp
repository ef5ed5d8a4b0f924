// Per-request work of the network client (the session written as JSON, a URL template filled
// from the session) with 10, 100 and 1,000 session entries, and per-step work of a load (the
// serializer's decoding of task-framework steps, the assembly of every step) on a 1,000-step
// document. Baselines: Qt writing or parsing the same JSON, and QUrl parsing the same URL.

#include "BenchDocuments.h"
#include "LoadRig.h"
#include "Measured.h"

#include "documents/AppData.h"
#include "loading/AppAssembly.h"
#include "loading/Localization.h"
#include "serialization/ORKESerializationDictionaryLocalizer.h"
#include "serialization/ORKESerializer.h"
#include "session/PathloomListStepResult.h"
#include "session/PathloomNetworkStepResult.h"
#include "session/Session.h"
#include "session/URLFormatter.h"
#include "steps/ListStepItem.h"
#include "steps/ResearchKitStepType.h"
#include "taskmodel/ORKBooleanQuestionResult.h"
#include "taskmodel/ORKChoiceQuestionResult.h"
#include "taskmodel/ORKDateQuestionResult.h"
#include "taskmodel/ORKScaleQuestionResult.h"
#include "taskmodel/ORKTextQuestionResult.h"

#include <benchmark/benchmark.h>
#include <QJsonArray>
#include <QJsonDocument>

namespace pathloom::bench {
namespace {

using namespace Qt::StringLiterals;

constexpr qsizetype kSteps = 1'000;
const QUrl kBaseURL(u"https://api.example.com/v2"_s);
const QString kTemplate = u"/reports/{answer_3.answer}/rooms/{list_0.selected.id}"_s;

template <typename T>
Value answered(const QString& identifier, Value answer) {
    auto result = std::make_shared<T>(identifier);
    result->answer = std::move(answer);
    return Value(std::shared_ptr<ORKObject>(std::move(result)));
}

// A session as a long task leaves it: mostly question answers of every kind, list selections,
// server replies of network steps, and a few values the app was configured with.
std::shared_ptr<Session> sessionOf(qsizetype entries) {
    auto session = std::make_shared<Session>();
    const QDateTime date(QDate(2024, 6, 11), QTime(9, 30), Qt::UTC);
    for (qsizetype i = 0; i < entries; ++i) {
        const QString n = QString::number(i);
        switch (i % 10) {
            case 0:
                session->setValueProvider(
                    u"list_"_s + n, Value(std::make_shared<PathloomListStepResult>(
                                        u"list_"_s + n, std::make_shared<ListStepItem>(
                                                            i, u"Room "_s + n, u"Second floor"_s,
                                                            u"house"_s, std::nullopt))));
                break;
            case 1:
                session->setValueProvider(
                    u"net_"_s + n,
                    Value(std::make_shared<PathloomNetworkStepResult>(
                        u"net_"_s + n, QByteArray(R"({"id":)") + n.toUtf8() +
                                           R"(,"status":"received","next":["a","b"]})")));
                break;
            case 2:
                session->setValueProvider(u"token"_s + (i == 2 ? QString() : n),
                                          Value(u"c2Vzc2lvbi0"_s + n));
                break;
            case 3:
                session->setValueProvider(
                    u"answer_"_s + n,
                    answered<ORKTextQuestionResult>(u"answer_"_s + n, u"North entrance é "_s + n));
                break;
            case 4:
            case 5:
                session->setValueProvider(
                    u"answer_"_s + n, answered<ORKBooleanQuestionResult>(u"answer_"_s + n, true));
                break;
            case 6:
                session->setValueProvider(u"answer_"_s + n, answered<ORKScaleQuestionResult>(
                                                                u"answer_"_s + n, qint64(i % 10)));
                break;
            case 7:
                session->setValueProvider(
                    u"answer_"_s + n, answered<ORKChoiceQuestionResult>(
                                          u"answer_"_s + n, Value::Array{u"office"_s, qint64(2)}));
                break;
            case 8:
                session->setValueProvider(u"answer_"_s + n,
                                          answered<ORKDateQuestionResult>(u"answer_"_s + n, date));
                break;
            default:
                session->setValueProvider(
                    u"params_"_s + n,
                    Value(Value::Dictionary{{u"user"_s, u"Jo"_s}, {u"count"_s, qint64(i)}}));
                break;
        }
    }
    return session;
}

void sessionJson(benchmark::State& state) {
    const auto session = sessionOf(state.range(0));
    for (auto _ : state) {
        QByteArray body = session->jsonRepresentation().value_or(QByteArray());
        benchmark::DoNotOptimize(body);
    }
}

void qtWritesTheSameJson(benchmark::State& state) {
    const auto session = sessionOf(state.range(0));
    const QJsonObject same =
        QJsonDocument::fromJson(session->jsonRepresentation().value_or(QByteArray())).object();
    if (same.isEmpty()) {
        state.SkipWithError("the session wrote no JSON object");
        return;
    }
    for (auto _ : state) {
        QByteArray body = QJsonDocument(same).toJson(QJsonDocument::Compact);
        benchmark::DoNotOptimize(body);
    }
}

void urlTemplate(benchmark::State& state) {
    const auto session = sessionOf(state.range(0));
    const URLFormatter formatter;
    for (auto _ : state) {
        std::optional<QUrl> url = formatter.url(kTemplate, kBaseURL, session.get());
        if (!url) {
            state.SkipWithError("the template did not resolve");
            break;
        }
        benchmark::DoNotOptimize(url);
    }
}

void qtParsesTheSameURL(benchmark::State& state) {
    const auto session = sessionOf(state.range(0));
    const std::optional<QUrl> resolved = URLFormatter().url(kTemplate, kBaseURL, session.get());
    if (!resolved) {
        state.SkipWithError("the template did not resolve");
        return;
    }
    const QString text = resolved->toString(QUrl::FullyEncoded);
    for (auto _ : state) {
        QUrl url(text, QUrl::StrictMode);
        benchmark::DoNotOptimize(url);
    }
}

// The task-framework steps of the 1,000-step document as the step factory hands them to the
// serializer, and each one's own JSON text.
struct FrameworkSteps {
    QList<QJsonObject> objects;
    QList<QByteArray> texts;
    QHash<QString, QString> translations;
};

FrameworkSteps frameworkSteps() {
    FrameworkSteps steps;
    const QJsonObject app = QJsonDocument::fromJson(BenchDocuments::withSteps(kSteps)).object();
    for (const QJsonValue& workflow : app.value(u"workflows"_s).toArray()) {
        for (const QJsonValue& step : workflow.toObject().value(u"steps"_s).toArray()) {
            QJsonObject object = step.toObject();
            const auto type = ResearchKitStepType::fromTypeName(object.value(u"type"_s).toString());
            if (!type) {
                continue;
            }
            object.insert(u"_class"_s, type->className());
            steps.texts.append(QJsonDocument(object).toJson(QJsonDocument::Compact));
            steps.objects.append(std::move(object));
        }
    }
    for (const QJsonValue& locale : app.value(u"locales"_s).toArray()) {
        if (locale.toObject().value(u"language_id"_s).toString() == u"fr") {
            for (const QJsonValue& translation :
                 locale.toObject().value(u"translations"_s).toArray()) {
                steps.translations.insert(translation.toObject().value(u"from"_s).toString(),
                                          translation.toObject().value(u"to"_s).toString());
            }
        }
    }
    return steps;
}

void serializerDecode(benchmark::State& state) {
    const FrameworkSteps steps = frameworkSteps();
    ORKESerializationContext context;
    context.localizer = std::make_shared<ORKESerializationDictionaryLocalizer>(steps.translations);
    for (auto _ : state) {
        for (const QJsonObject& object : steps.objects) {
            auto step = ORKESerializer::objectFromJSONObject(object, context);
            if (!step) {
                state.SkipWithError(step.error().description().toStdString().c_str());
                return;
            }
            benchmark::DoNotOptimize(step);
        }
    }
    state.SetItemsProcessed(state.iterations() * steps.objects.size());
    state.counters["steps"] = double(steps.objects.size());
}

void qtParsesTheSameSteps(benchmark::State& state) {
    const FrameworkSteps steps = frameworkSteps();
    for (auto _ : state) {
        for (const QByteArray& text : steps.texts) {
            QJsonDocument document = QJsonDocument::fromJson(text);
            benchmark::DoNotOptimize(document);
        }
    }
    state.SetItemsProcessed(state.iterations() * steps.texts.size());
    state.counters["steps"] = double(steps.texts.size());
}

void assembly(benchmark::State& state) {
    LoadRig rig;
    const QJsonObject object = QJsonDocument::fromJson(BenchDocuments::withSteps(kSteps)).object();
    const auto app = AppData::fromJson(object, 1, std::nullopt, *rig.manager().imageLoader());
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
    state.SetItemsProcessed(state.iterations() * kSteps);
    state.counters["steps"] = double(kSteps);
}

void qtParsesTheSameDocument(benchmark::State& state) {
    const QByteArray& bytes = BenchDocuments::withSteps(kSteps);
    for (auto _ : state) {
        QJsonDocument document = QJsonDocument::fromJson(bytes);
        benchmark::DoNotOptimize(document);
    }
    state.SetItemsProcessed(state.iterations() * kSteps);
    state.counters["steps"] = double(kSteps);
}

void sessionSizes(benchmark::internal::Benchmark* benchmark) {
    measured(benchmark);
    benchmark->Unit(benchmark::kMicrosecond)->Arg(10)->Arg(100)->Arg(1'000);
}

void perStep(benchmark::internal::Benchmark* benchmark) {
    measured(benchmark);
    benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(sessionJson)->Name("Session/Json")->Apply(sessionSizes);
BENCHMARK(qtWritesTheSameJson)->Name("Session/QtWritesSameJson")->Apply(sessionSizes);
BENCHMARK(urlTemplate)->Name("Session/UrlTemplate")->Apply(sessionSizes);
BENCHMARK(qtParsesTheSameURL)->Name("Session/QtParsesSameUrl")->Apply(sessionSizes);
BENCHMARK(serializerDecode)->Name("Steps/SerializerDecode")->Apply(perStep);
BENCHMARK(qtParsesTheSameSteps)->Name("Steps/QtParsesSameSteps")->Apply(perStep);
BENCHMARK(assembly)->Name("Steps/Assembly")->Apply(perStep);
BENCHMARK(qtParsesTheSameDocument)->Name("Steps/QtParsesSameDocument")->Apply(perStep);

}  // namespace
}  // namespace pathloom::bench
