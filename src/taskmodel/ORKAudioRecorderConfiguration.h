#pragma once

#include "taskmodel/ORKRecorderConfiguration.h"

#include <QJsonObject>
#include <utility>

namespace pathloom {

// Records audio with the given recorder settings (format, sample rate, channels, …).
class ORKAudioRecorderConfiguration : public ORKRecorderConfiguration {
public:
    ORKAudioRecorderConfiguration(QString identifier, QJsonObject recorderSettings)
        : ORKRecorderConfiguration(std::move(identifier)),
          recorderSettings(std::move(recorderSettings)) {}

    QJsonObject recorderSettings;
};

}  // namespace pathloom
