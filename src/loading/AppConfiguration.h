#pragma once

#include "documents/AppNavigationStyle.h"
#include "loading/Workflow.h"

#include <QColor>
#include <QList>
#include <QUrl>
#include <optional>

namespace pathloom {

// An app ready to be presented: its workflows with their tasks, how they are presented, the
// primary and initial workflows, the tint and the analytics address.
struct AppConfiguration {
    qint64 id = 0;
    QString name;
    QList<Workflow> tasks;
    AppNavigationStyle navigationStyle = AppNavigationStyle::list;
    std::optional<Workflow> primaryWorkflow;
    std::optional<Workflow> initialWorkflow;
    std::optional<QList<qint64>> tabIds;
    QColor systemTintColor;
    std::optional<QUrl> analyticsURL;
};

}  // namespace pathloom
