// pathloom-devserver: serves a directory over HTTP on 127.0.0.1 for developing and testing apps,
// with scripted replies, uploads, Ahoy analytics and a JSON log of every request.
// Exit status: 0 stopped by SIGINT or SIGTERM, 1 failed while serving, 2 could not start.

#include "DevServer.h"
#include "RequestLog.h"
#include "RouteTable.h"
#include "ServedRoot.h"

#include <pthread.h>
#include <unistd.h>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <csignal>

using namespace pathloom::devserver;
using namespace Qt::StringLiterals;

namespace {

int fail(const QString& message) {
    QTextStream(stderr) << "pathloom-devserver: " << message << '\n';
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Blocked before any thread starts, so every thread inherits it and the signals wait for
    // sigwait below instead of interrupting a request half way.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Serves a directory over HTTP on 127.0.0.1."_s);
    parser.addHelpOption();
    const QCommandLineOption rootOption(u"root"_s, u"The directory to serve."_s, u"DIR"_s);
    const QCommandLineOption portOption(u"port"_s, u"The port; 0 picks a free one."_s, u"N"_s,
                                        u"0"_s);
    const QCommandLineOption logOption(u"log"_s, u"Log requests here, not to stderr."_s, u"FILE"_s);
    parser.addOptions({rootOption, portOption, logOption});
    parser.process(application);

    if (!parser.isSet(rootOption)) {
        return fail(u"--root DIR is required"_s);
    }
    bool portIsNumber = false;
    const int port = parser.value(portOption).toInt(&portIsNumber);
    if (!portIsNumber || port < 0 || port > 65535) {
        return fail(u"--port must be a number from 0 to 65535"_s);
    }
    auto root = ServedRoot::open(parser.value(rootOption));
    if (!root) {
        return fail(root.error());
    }
    auto routes = RouteTable::load(*root);
    if (!routes) {
        return fail(routes.error());
    }
    auto log = RequestLog::open(parser.isSet(logOption) ? std::optional(parser.value(logOption))
                                                        : std::nullopt);
    if (!log) {
        return fail(log.error());
    }

    DevServer server(std::move(*root), std::move(*routes), **log);
    // A server that stops on its own wakes the wait for a signal below.
    const auto listening = server.start(port, [] { kill(getpid(), SIGTERM); });
    if (!listening) {
        return fail(listening.error());
    }
    QTextStream(stdout) << "Listening on http://127.0.0.1:" << *listening << Qt::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    server.stop();
    return server.failed() ? 1 : 0;
}
