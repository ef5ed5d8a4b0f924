#include "EventLoop.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace pathloom::test {

bool runUntil(const std::function<bool()>& done, int timeoutMilliseconds) {
    const QDeadlineTimer deadline(timeoutMilliseconds);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

}  // namespace pathloom::test
