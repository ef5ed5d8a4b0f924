#include "analytics/AppEvent.h"

namespace pathloom {

using namespace Qt::StringLiterals;

AppEvent::AppEvent(Kind kind, qint64 workflowId, QString stepIdentifier)
    : m_kind(kind), m_workflowId(workflowId), m_stepIdentifier(std::move(stepIdentifier)) {}

AppEvent AppEvent::workflowOpened(qint64 workflowId) {
    return AppEvent(Kind::workflowOpened, workflowId, {});
}

AppEvent AppEvent::stepOpened(qint64 workflowId, QString stepIdentifier) {
    return AppEvent(Kind::stepOpened, workflowId, std::move(stepIdentifier));
}

AppEvent AppEvent::appOpened() { return AppEvent(Kind::appOpened, 0, {}); }

QString AppEvent::name() const {
    switch (m_kind) {
        case Kind::workflowOpened:
            return u"workflow_opened"_s;
        case Kind::stepOpened:
            return u"step_opened"_s;
        case Kind::appOpened:
            break;
    }
    return u"app_opened"_s;
}

std::optional<QVariantMap> AppEvent::properties() const {
    switch (m_kind) {
        case Kind::workflowOpened:
            return QVariantMap{{u"workflow_id"_s, QVariant::fromValue(m_workflowId)}};
        case Kind::stepOpened:
            return QVariantMap{{u"workflow_id"_s, QVariant::fromValue(m_workflowId)},
                               {u"step_identifier"_s, m_stepIdentifier}};
        case Kind::appOpened:
            break;
    }
    return std::nullopt;
}

}  // namespace pathloom
