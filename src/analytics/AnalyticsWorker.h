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
};

}  // namespace pathloom
