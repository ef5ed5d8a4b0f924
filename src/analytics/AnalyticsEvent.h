#pragma once

#include <QString>
#include <QVariantMap>
#include <optional>

namespace pathloom {

// Something worth counting that happened in the app: its wire name and its properties. Absent
// properties mean none at all; workers treat them like an empty map.
class AnalyticsEvent {
public:
    virtual ~AnalyticsEvent() = default;

    [[nodiscard]] virtual QString name() const = 0;
    [[nodiscard]] virtual std::optional<QVariantMap> properties() const = 0;
};

}  // namespace pathloom
