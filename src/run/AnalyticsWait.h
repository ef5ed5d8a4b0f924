#pragma once

#include "analytics/Analytics.h"

#include <QDeadlineTimer>
#include <QTimer>
#include <functional>

namespace pathloom {

// Gives the analytics requests still in flight a few seconds before a program ends, so that the
// last events ("workflow_opened", "step_opened") are not lost on the way out. Polls on the main
// thread; dropping the wait drops its completion.
class AnalyticsWait {
public:
    static constexpr int kLimitMilliseconds = 5'000;

    // Runs `done` once no request is in flight, or once the limit has passed.
    void start(Analytics analytics, std::function<void()> done);

private:
    static constexpr int kPollMilliseconds = 20;

    QTimer m_timer;
};

}  // namespace pathloom
