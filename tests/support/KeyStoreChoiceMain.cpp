// A program that makes the key-store choice of a start, for tests of the choice in processes of
// their own (another session bus, several starts at once):
//
//   pathloom-keystore-choice DIRECTORY [START_FILE LOG]
//
// It prints the debug-console lines of the choice, then "keyring" or "folder". With START_FILE
// and LOG it first waits until START_FILE exists, and after choosing appends "enter" and then
// "leave" to LOG inside serialized(), so that a test can see whether the work of several
// processes overlapped. Exit status: 0 chosen, 1 failed, 2 usage.

#include "foundation/DebugConsole.h"
#include "foundation/KeyStoreChoice.h"
#include "foundation/SecretServiceKeyStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QThread>

using namespace pathloom;
using namespace Qt::StringLiterals;

namespace {

bool append(const QString& path, const QByteArray& line) {
    QFile log(path);
    return log.open(QIODevice::Append) && log.write(line) == line.size();
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.size() != 2 && arguments.size() != 4) {
        err << "usage: pathloom-keystore-choice DIRECTORY [START_FILE LOG]\n";
        return 2;
    }
    if (arguments.size() == 4) {
        const QDeadlineTimer deadline(10'000);
        while (!QFileInfo::exists(arguments[2])) {
            if (deadline.hasExpired()) {
                err << "the start file never appeared\n";
                return 1;
            }
            QThread::usleep(200);
        }
    }

    const DebugConsole console([&out](const QString& line) { out << line; });
    const auto store = KeyStoreChoice::make(arguments[1], console);
    out << (dynamic_cast<SecretServiceKeyStore*>(store.get()) ? "keyring" : "folder") << '\n';
    out.flush();
    if (arguments.size() == 4) {
        bool logged = false;
        const auto status = store->serialized([&] {
            logged = append(arguments[3], "enter\n");
            // Long enough for the other processes to reach the lock meanwhile.
            QThread::msleep(20);
            logged = append(arguments[3], "leave\n") && logged;
        });
        if (status != KeyStore::success || !logged) {
            err << "serialized work failed, status " << status << '\n';
            return 1;
        }
    }
    return 0;
}
