#include "run/AnalyticsWait.h"

namespace pathloom {

void AnalyticsWait::start(Analytics analytics, std::function<void()> done) {
    const QDeadlineTimer deadline(kLimitMilliseconds);
    m_timer.disconnect();
    m_timer.setInterval(kPollMilliseconds);
    m_timer.callOnTimeout(
        [this, analytics = std::move(analytics), done = std::move(done), deadline] {
            if (analytics.requestsInFlight() > 0 && !deadline.hasExpired()) {
                return;
            }
            m_timer.stop();
            done();
        });
    m_timer.start(0);
}

}  // namespace pathloom
