#pragma once

#include "loading/AppConfiguration.h"

#include <QJsonObject>
#include <QString>
#include <memory>

namespace pathloom {

// Describes an assembled app for app authors: as one JSON object (workflows, their steps with
// class and fields, the navigation rules in force) or as a short text.
class ConfigurationReport {
public:
    [[nodiscard]] static QJsonObject toJson(const AppConfiguration& configuration);
    [[nodiscard]] static QString toText(const AppConfiguration& configuration);
};

}  // namespace pathloom
