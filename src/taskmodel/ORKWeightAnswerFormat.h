#pragma once

#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/ORKMeasurementSystem.h"

namespace pathloom {

// A body weight answer in the units of `measurementSystem` (an ORKMeasurementSystem), picked
// between the bounds with the given precision (0 default, 1 low, 2 high).
class ORKWeightAnswerFormat : public ORKAnswerFormat {
public:
    ORKWeightAnswerFormat(qint64 measurementSystem, qint64 numericPrecision, double minimumValue,
                          double maximumValue, double defaultValue)
        : measurementSystem(measurementSystem),
          numericPrecision(numericPrecision),
          minimumValue(minimumValue),
          maximumValue(maximumValue),
          defaultValue(defaultValue) {}

    qint64 measurementSystem = ORKMeasurementSystemLocal;
    qint64 numericPrecision = 0;
    double minimumValue = 0;
    double maximumValue = 0;
    double defaultValue = 0;
};

}  // namespace pathloom
