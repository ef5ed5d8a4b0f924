#pragma once

#include "taskmodel/ORKRecorderConfiguration.h"
#include "taskmodel/ORKStep.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace pathloom {

// A step that runs for a while (timed, spoken, with sounds and vibrations) and records data
// through its recorder configurations.
class ORKActiveStep : public ORKStep {
public:
    using ORKStep::ORKStep;

    // Seconds; 0 means the step has no fixed duration.
    double stepDuration = 0;
    bool shouldShowDefaultTimer = false;
    bool shouldSpeakCountDown = false;
    bool shouldSpeakRemainingTimeAtHalfway = false;
    bool shouldStartTimerAutomatically = false;
    bool shouldPlaySoundOnStart = false;
    bool shouldPlaySoundOnFinish = false;
    bool shouldVibrateOnStart = false;
    bool shouldVibrateOnFinish = false;
    bool shouldUseNextAsSkipButton = false;
    bool shouldContinueOnFinish = false;
    std::optional<QString> spokenInstruction;
    std::optional<QString> finishedSpokenInstruction;
    QList<std::shared_ptr<ORKRecorderConfiguration>> recorderConfigurations;
};

}  // namespace pathloom
