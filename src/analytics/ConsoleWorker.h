#pragma once

#include "analytics/AnalyticsWorker.h"
#include "foundation/DebugConsole.h"

namespace pathloom {

// Writes every event to the debug console as one line:
// "Event: <name>, Parameters: [<properties>]" in its debug form. Writes on the caller's thread
// before log() returns; holds no state of its own.
class ConsoleWorker final : public AnalyticsWorker {
public:
    explicit ConsoleWorker(DebugConsole console = {});

    void log(const QString& name, const std::optional<QVariantMap>& properties) override;

private:
    DebugConsole m_console;
};

}  // namespace pathloom
