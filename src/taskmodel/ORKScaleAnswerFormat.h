#pragma once

#include "taskmodel/ORKAnswerFormat.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <optional>

namespace pathloom {

// An integer answer picked on a slider from `minimum` to `maximum` in steps of `step`.
// `defaultValue` outside the range (2147483647 when a document gives none) means no default.
class ORKScaleAnswerFormat : public ORKAnswerFormat {
public:
    ORKScaleAnswerFormat(qint64 maximum, qint64 minimum, qint64 defaultValue, qint64 step,
                         bool vertical, std::optional<QString> maximumValueDescription,
                         std::optional<QString> minimumValueDescription)
        : minimum(minimum),
          maximum(maximum),
          defaultValue(defaultValue),
          step(step),
          vertical(vertical),
          maximumValueDescription(std::move(maximumValueDescription)),
          minimumValueDescription(std::move(minimumValueDescription)) {}

    qint64 minimum = 0;
    qint64 maximum = 0;
    qint64 defaultValue = 0;
    qint64 step = 0;
    bool vertical = false;
    std::optional<QString> maximumValueDescription;
    std::optional<QString> minimumValueDescription;
    QList<QColor> gradientColors;
    QList<double> gradientLocations;
    bool hideSelectedValue = false;
    bool hideRanges = false;
    bool hideLabels = false;
    bool hideValueMarkers = false;
    std::optional<QImage> minimumImage;
    std::optional<QImage> maximumImage;
};

}  // namespace pathloom
