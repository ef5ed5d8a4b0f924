#pragma once

#include "analytics/AnalyticsEvent.h"

namespace pathloom {

// The framework's own analytics events: the app shown, a workflow opened, a step about to appear.
// A value type.
class AppEvent final : public AnalyticsEvent {
public:
    enum class Kind { workflowOpened, stepOpened, appOpened };

    [[nodiscard]] static AppEvent workflowOpened(qint64 workflowId);
    [[nodiscard]] static AppEvent stepOpened(qint64 workflowId, QString stepIdentifier);
    [[nodiscard]] static AppEvent appOpened();

    [[nodiscard]] Kind kind() const { return m_kind; }
    // "workflow_opened", "step_opened" or "app_opened".
    [[nodiscard]] QString name() const override;
    // "workflow_id" (an integer) for workflow and step events, "step_identifier" (text) for step
    // events; absent for the app event.
    [[nodiscard]] std::optional<QVariantMap> properties() const override;

private:
    AppEvent(Kind kind, qint64 workflowId, QString stepIdentifier);

    Kind m_kind;
    qint64 m_workflowId;
    QString m_stepIdentifier;
};

}  // namespace pathloom
