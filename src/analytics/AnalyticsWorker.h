#pragma once

#include <QString>
#include <QVariantMap>
#include <optional>

namespace pathloom {

// A sink for analytics events. log() returns without blocking and reports nothing to its caller:
// a worker deals with its own failures. Called on the thread that sends the event (the main
// thread in the app).
class AnalyticsWorker {
public:
    virtual ~AnalyticsWorker() = default;

    virtual void log(const QString& name, const std::optional<QVariantMap>& properties) = 0;
    // Requests this worker has sent or is about to send that have not ended yet, so that a
    // program can wait for them before it exits.
    [[nodiscard]] virtual qsizetype requestsInFlight() const { return 0; }
};

}  // namespace pathloom
