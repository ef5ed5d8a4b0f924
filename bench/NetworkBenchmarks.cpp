// The network client fetching 1,000 small JSON files from the development server on loopback,
// one after another and with 16 requests in flight, against QNetworkAccessManager alone sending
// the same requests (same URLs, User-Agent, bearer token and transfer timeout) to the same
// server.

#include "DevServerProcess.h"
#include "Measured.h"

#include "foundation/DispatchQueue.h"
#include "foundation/FileKeyStore.h"
#include "network/Credential.h"
#include "network/CredentialsStore.h"
#include "network/NetworkManager.h"
#include "network/RequestFactory.h"
#include "network/SecurityStore.h"
#include "session/Session.h"
#include "session/URLFormatter.h"

#include <benchmark/benchmark.h>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <atomic>
#include <functional>
#include <semaphore>
#include <vector>

namespace pathloom::bench {
namespace {

using namespace Qt::StringLiterals;

constexpr int kRequests = 1'000;
constexpr int kInFlight = 16;
const QString kToken = u"c2Vzc2lvbi10b2tlbi1mb3ItdGhlLWJlbmNobWFyaw"_s;

// The client as a workflow holds it: bound to the server, with a session and a stored token.
struct ClientRig {
    explicit ClientRig(const QUrl& origin) {
        auto credentials =
            std::make_shared<const CredentialsStore>(std::make_shared<const SecurityStore>(
                std::make_shared<FileKeyStore>(directory.filePath(u"keychain"_s))));
        stored = credentials
                     ->storeCredential(Credential{Credential::sessionToken(), kToken,
                                                  QDateTime::currentDateTimeUtc().addDays(1)})
                     .has_value();
        client = NetworkManager::create(Server{1, origin}, std::make_shared<Session>(),
                                        URLFormatter::placeholderPattern.toString(),
                                        std::move(credentials), nullptr);
    }

    QTemporaryDir directory;
    bool stored = false;
    std::shared_ptr<NetworkManager> client;
    std::shared_ptr<DispatchQueue> delivery = DispatchQueue::serial(u"Bench.Delivery.Queue"_s);
};

QNetworkRequest bareRequest(const QUrl& origin, int index) {
    QUrl url = origin;
    url.setPath(DevServerProcess::itemPath(index));
    QNetworkRequest request = RequestFactory().request(url);
    request.setRawHeader("AUTHORIZATION", "Bearer " + kToken.toUtf8());
    return request;
}

bool succeeded(QNetworkReply& reply) {
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return reply.error() == QNetworkReply::NoError && status >= 200 && status <= 299 &&
           !reply.readAll().isEmpty();
}

// Each completion starts the next request from the delivery queue, as a step controller does
// from its queue, so that the harness adds no thread hop of its own; `inFlight` requests are
// started at once.
void clientRequests(benchmark::State& state, int inFlight) {
    DevServerProcess server(kRequests);
    if (server.origin().isEmpty()) {
        state.SkipWithError("the development server did not start");
        return;
    }
    ClientRig rig(server.origin());
    std::atomic<bool> failed = false;
    for (auto _ : state) {
        // Each request's handle, kept until the batch ends; started ones are written by the
        // benchmark thread (the first `inFlight`) or the delivery queue (the rest), each once.
        std::vector<Cancellable> requests(kRequests);
        std::atomic<int> started = 0;
        int finished = 0;  // on the delivery queue only
        std::binary_semaphore done(0);
        std::function<void()> startNext = [&] {
            const int index = started++;
            requests[std::size_t(index)] =
                rig.client->data(DevServerProcess::itemPath(index), HTTPMethod::get, rig.delivery,
                                 std::nullopt, [&](NetworkManager::DataResult result) {
                                     if (!result || result->isEmpty()) {
                                         failed = true;
                                     }
                                     if (++finished == kRequests) {
                                         done.release();
                                     } else if (started < kRequests) {
                                         startNext();
                                     }
                                 });
        };
        // Started on the delivery queue too, so that no completion runs before its start is done.
        rig.delivery->sync([&] {
            for (int i = 0; i < inFlight; ++i) {
                startNext();
            }
        });
        done.acquire();
    }
    if (failed) {
        state.SkipWithError("a request failed");
    }
    state.SetItemsProcessed(state.iterations() * kRequests);
}

void clientSequential(benchmark::State& state) { clientRequests(state, 1); }

void bareRequests(benchmark::State& state, int inFlight) {
    DevServerProcess server(kRequests);
    if (server.origin().isEmpty()) {
        state.SkipWithError("the development server did not start");
        return;
    }
    QNetworkAccessManager network;
    bool failed = false;
    for (auto _ : state) {
        QEventLoop loop;
        int started = 0;
        int finished = 0;
        std::function<void()> startNext = [&] {
            QNetworkReply* reply = network.get(bareRequest(server.origin(), started++));
            QObject::connect(reply, &QNetworkReply::finished, &loop, [&, reply] {
                failed = failed || !succeeded(*reply);
                reply->deleteLater();
                if (++finished == kRequests) {
                    loop.quit();
                } else if (started < kRequests) {
                    startNext();
                }
            });
        };
        for (int i = 0; i < inFlight; ++i) {
            startNext();
        }
        loop.exec();
    }
    if (failed) {
        state.SkipWithError("a request failed");
    }
    state.SetItemsProcessed(state.iterations() * kRequests);
}

void bareSequential(benchmark::State& state) { bareRequests(state, 1); }

void clientInFlight(benchmark::State& state) { clientRequests(state, kInFlight); }

void bareInFlight(benchmark::State& state) { bareRequests(state, kInFlight); }

void thousandRequests(benchmark::internal::Benchmark* benchmark) {
    measured(benchmark);
    // One iteration is a thousand requests; a few are enough for a stable rate.
    benchmark->Unit(benchmark::kMillisecond)->Iterations(4);
}

BENCHMARK(clientSequential)->Name("Network/ClientSequential")->Apply(thousandRequests);
BENCHMARK(bareSequential)->Name("Network/BareSequential")->Apply(thousandRequests);
BENCHMARK(clientInFlight)->Name("Network/ClientInFlight16")->Apply(thousandRequests);
BENCHMARK(bareInFlight)->Name("Network/BareInFlight16")->Apply(thousandRequests);

}  // namespace
}  // namespace pathloom::bench
