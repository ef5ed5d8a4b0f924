// Entries of the encrypted cache as found on disk. The first input byte picks the file's
// contents: an even byte writes the rest of the input as it is (a truncated, tampered or foreign
// file), an odd one seals it under the cache's key first, so that the decrypted text is the
// fuzzer's. An entry that does not load must be gone afterwards; one that loads must stay.

#include "FuzzSupport.h"
#include "InMemoryKeyStore.h"
#include "documents/AppData.h"
#include "foundation/ChaChaPoly.h"
#include "loading/CacheStorage.h"
#include "loading/CryptoManager.h"

#include <QFile>
#include <QTemporaryDir>

using namespace pathloom;
using namespace Qt::StringLiterals;

namespace {

const QString kEntry = u"entry"_s;

struct Fixture {
    QTemporaryDir directory;
    CacheStorage cache{directory.path(),
                       CryptoManager(u"fuzz"_s, std::make_shared<test::InMemoryKeyStore>())};
    QByteArray key;

    Fixture() {
        auto created = cache.cryptor().symmetricKey();
        if (!directory.isValid() || !created) {
            fuzz::fail("no cache directory or key");
        }
        key = *created;
    }
};

void writeEntry(const Fixture& fixture, const QByteArray& contents) {
    QFile file(fixture.cache.entryPath(kEntry));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size()) {
        fuzz::fail("cannot write the entry");
    }
}

void checkKeptOnlyWhenLoaded(const Fixture& fixture, bool loaded, const char* what) {
    if (fixture.cache.contains(kEntry) != loaded) {
        fuzz::fail(what);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ensureApplication();
    static Fixture fixture;
    if (size == 0) {
        return 0;
    }
    const QByteArray rest = fuzz::bytesOf(data + 1, size - 1);
    QByteArray contents = rest;
    if (data[0] & 1) {
        auto sealed = ChaChaPoly::seal(fixture.key, rest);
        if (!sealed) {
            fuzz::fail("cannot seal the entry");
        }
        contents = *sealed;
    }

    writeEntry(fixture, contents);
    const auto app = fixture.cache.load(kEntry, AppData::fromStored);
    checkKeptOnlyWhenLoaded(fixture, app.has_value(), "an app entry kept or deleted wrongly");

    writeEntry(fixture, contents);
    const auto bytes = fixture.cache.loadData(kEntry);
    checkKeptOnlyWhenLoaded(fixture, bytes.has_value(), "a data entry kept or deleted wrongly");
    if (bytes) {
        // What loads must save and load again the same.
        if (!fixture.cache.saveData(*bytes, kEntry, true) ||
            fixture.cache.loadData(kEntry) != bytes) {
            fuzz::fail("a loaded data entry does not survive saving");
        }
    }
    (void)fixture.cache.remove(kEntry);
    return 0;
}
