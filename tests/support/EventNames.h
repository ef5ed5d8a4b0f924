#pragma once

#include "analytics/AnalyticsWorker.h"

#include <QStringList>

namespace pathloom::test {

// An analytics worker that keeps the names of the events it hears, each "step_opened" with its
// step ("step_opened intro").
class EventNames final : public AnalyticsWorker {
public:
    void log(const QString& name, const std::optional<QVariantMap>& properties) override;

    QStringList names;
};

}  // namespace pathloom::test
