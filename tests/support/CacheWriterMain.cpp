// A program that saves one entry in an encrypted cache, for tests of processes that share a
// cache and key store:
//
//   pathloom-cache-writer KEYCHAIN_DIR CACHE_DIR START_FILE TEXT
//
// It waits until START_FILE exists (so that several writers can be let go at the same moment),
// saves {"writer": TEXT} as the entry ".env" under the label "Race", and prints the SHA-256 of the
// cache's key in hexadecimal (never the key). Exit status: 0 saved, 1 failed, 2 usage.

#include "foundation/FileKeyStore.h"
#include "foundation/Sha256.h"
#include "loading/CacheStorage.h"
#include "loading/CryptoManager.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonObject>
#include <QTextStream>
#include <QThread>

using namespace pathloom;
using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.size() != 5) {
        err << "usage: pathloom-cache-writer KEYCHAIN_DIR CACHE_DIR START_FILE TEXT\n";
        return 2;
    }
    // Polled rather than watched: a file watcher's own start-up would skew the writers apart.
    const QDeadlineTimer deadline(10'000);
    while (!QFileInfo::exists(arguments[3])) {
        if (deadline.hasExpired()) {
            err << "the start file never appeared\n";
            return 1;
        }
        QThread::usleep(200);
    }

    const CacheStorage cache(
        arguments[2], CryptoManager(u"Race"_s, std::make_shared<FileKeyStore>(arguments[1])));
    if (const auto saved = cache.save(QJsonObject{{u"writer"_s, arguments[4]}}, u".env"_s, true);
        !saved) {
        err << "save failed: " << saved.error().localizedDescription() << '\n';
        return 1;
    }
    const auto key = cache.cryptor().symmetricKey();
    if (!key) {
        err << "no key after saving: " << key.error().localizedDescription() << '\n';
        return 1;
    }
    out << Sha256::hexDigest(*key) << '\n';
    return 0;
}
