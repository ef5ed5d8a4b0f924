// The encrypted cache's save and load of entries of 1 KB, 64 KB and 1 MB (picture-sized and
// document-sized) against a bare ChaCha20-Poly1305 seal and write (synced, as the save is), or
// read and open, of the same bytes under the same key.

#include "Measured.h"

#include "foundation/ChaChaPoly.h"
#include "foundation/FileKeyStore.h"
#include "foundation/P521PrivateKey.h"
#include "loading/CacheStorage.h"

#include <benchmark/benchmark.h>
#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTemporaryDir>

namespace pathloom::bench {
namespace {

using namespace Qt::StringLiterals;

const QString kEntry = u"0f343b0931126a20f133d67c2b018a3b5e6ae1a5a3a8c0c8d5a7d1e2c3b4a596"_s;

QByteArray randomBytes(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(size);
    generator.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

// A cache over a file key store, in a temporary directory, with its key already created.
struct CacheRig {
    QTemporaryDir directory;
    CacheStorage storage{
        directory.filePath(u"Caches"_s),
        CryptoManager(u"org.pathloom.bench"_s,
                      std::make_shared<FileKeyStore>(directory.filePath(u"keychain"_s)))};
    QByteArray key = storage.cryptor().symmetricKey().value_or(QByteArray());
    QString barePath = directory.filePath(u"bare"_s);
};

void save(benchmark::State& state) {
    CacheRig rig;
    const QByteArray bytes = randomBytes(state.range(0));
    for (auto _ : state) {
        if (!rig.storage.saveData(bytes, kEntry, true)) {
            state.SkipWithError("the save failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void sealAndWrite(benchmark::State& state) {
    CacheRig rig;
    const QByteArray bytes = randomBytes(state.range(0));
    for (auto _ : state) {
        // As durable as the cache's save: a temporary file synced to disk, then renamed over the
        // last one.
        const auto sealed = ChaChaPoly::seal(rig.key, bytes);
        QSaveFile file(rig.barePath);
        if (!sealed || !file.open(QIODevice::WriteOnly) || file.write(*sealed) != sealed->size() ||
            !file.commit()) {
            state.SkipWithError("the bare seal failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void load(benchmark::State& state) {
    CacheRig rig;
    const QByteArray bytes = randomBytes(state.range(0));
    if (!rig.storage.saveData(bytes, kEntry, true)) {
        state.SkipWithError("the save failed");
        return;
    }
    for (auto _ : state) {
        const auto loaded = rig.storage.loadData(kEntry);
        if (!loaded || loaded->size() != bytes.size()) {
            state.SkipWithError("the entry did not load");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void readAndOpen(benchmark::State& state) {
    CacheRig rig;
    const QByteArray bytes = randomBytes(state.range(0));
    {
        QFile file(rig.barePath);
        if (!file.open(QIODevice::WriteOnly) || file.write(*ChaChaPoly::seal(rig.key, bytes)) < 0) {
            state.SkipWithError("the bare seal failed");
            return;
        }
    }
    for (auto _ : state) {
        QFile file(rig.barePath);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("the bare file did not open");
            break;
        }
        const auto opened = ChaChaPoly::open(rig.key, file.readAll());
        if (!opened || opened->size() != bytes.size()) {
            state.SkipWithError("the bare open failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// What each use of the cache pays for its key, and the key agreement inside it.
void symmetricKey(benchmark::State& state) {
    CacheRig rig;
    for (auto _ : state) {
        auto key = rig.storage.cryptor().symmetricKey();
        benchmark::DoNotOptimize(key);
    }
}

void p521Agreement(benchmark::State& state) {
    const auto privateKey = P521PrivateKey::generate();
    if (!privateKey) {
        state.SkipWithError("no key");
        return;
    }
    for (auto _ : state) {
        auto secret = privateKey->sharedSecret(privateKey->publicKeyX963());
        benchmark::DoNotOptimize(secret);
    }
}

void entrySizes(benchmark::internal::Benchmark* benchmark) {
    measured(benchmark);
    benchmark->Unit(benchmark::kMicrosecond)->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);
}

void microseconds(benchmark::internal::Benchmark* benchmark) {
    measured(benchmark);
    benchmark->Unit(benchmark::kMicrosecond);
}

BENCHMARK(save)->Name("Cache/Save")->Apply(entrySizes);
BENCHMARK(sealAndWrite)->Name("Cache/BareSealAndWrite")->Apply(entrySizes);
BENCHMARK(load)->Name("Cache/Load")->Apply(entrySizes);
BENCHMARK(readAndOpen)->Name("Cache/BareReadAndOpen")->Apply(entrySizes);
BENCHMARK(symmetricKey)->Name("Crypto/SymmetricKey")->Apply(microseconds);
BENCHMARK(p521Agreement)->Name("Crypto/P521Agreement")->Apply(microseconds);

}  // namespace
}  // namespace pathloom::bench
