#pragma once

#include "taskmodel/ORKAnswerFormat.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <optional>

namespace pathloom {

// A fractional answer picked on a slider from `minimum` to `maximum`. `defaultValue` outside the
// range (the largest finite double when a document gives none) means no default; `numberStyle`
// 0 shows plain numbers, 1 percentages.
class ORKContinuousScaleAnswerFormat : public ORKAnswerFormat {
public:
    ORKContinuousScaleAnswerFormat(double maximum, double minimum, double defaultValue,
                                   qint64 maximumFractionDigits, bool vertical,
                                   std::optional<QString> maximumValueDescription,
                                   std::optional<QString> minimumValueDescription)
        : minimum(minimum),
          maximum(maximum),
          defaultValue(defaultValue),
          maximumFractionDigits(maximumFractionDigits),
          vertical(vertical),
          maximumValueDescription(std::move(maximumValueDescription)),
          minimumValueDescription(std::move(minimumValueDescription)) {}

    double minimum = 0;
    double maximum = 0;
    double defaultValue = 0;
    qint64 maximumFractionDigits = 0;
    bool vertical = false;
    qint64 numberStyle = 0;
    std::optional<QString> maximumValueDescription;
    std::optional<QString> minimumValueDescription;
    QList<QColor> gradientColors;
    QList<double> gradientLocations;
    bool hideSelectedValue = false;
    bool hideRanges = false;
    bool hideLabels = false;
    std::optional<QImage> minimumImage;
    std::optional<QImage> maximumImage;
};

}  // namespace pathloom
