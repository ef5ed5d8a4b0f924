#pragma once

#include "loading/AppConfiguration.h"

#include <QJsonObject>
#include <QString>
#include <memory>

namespace pathloom {

class ORKStep;

// Describes an assembled app for app authors: as one JSON object (workflows, their steps with
// class and fields, the navigation rules in force) or as a short text.
class ConfigurationReport {
public:
    [[nodiscard]] static QJsonObject toJson(const AppConfiguration& configuration);
    [[nodiscard]] static QString toText(const AppConfiguration& configuration);
    // The class name of a step: its task-framework class or the framework's own step class.
    [[nodiscard]] static QString className(const std::shared_ptr<ORKStep>& step);
};

}  // namespace pathloom
