#pragma once

#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/ORKMeasurementSystem.h"

namespace pathloom {

// A body height answer in the units of `measurementSystem` (an ORKMeasurementSystem).
class ORKHeightAnswerFormat : public ORKAnswerFormat {
public:
    explicit ORKHeightAnswerFormat(qint64 measurementSystem)
        : measurementSystem(measurementSystem) {}

    qint64 measurementSystem = ORKMeasurementSystemLocal;
};

}  // namespace pathloom
