#pragma once

#include "taskmodel/ORKAnswerFormat.h"

#include <QString>
#include <optional>

namespace pathloom {

// A typed number answer; `style` 0 takes decimals, 1 integers. Bounds, precision and default are
// absent unless given.
class ORKNumericAnswerFormat : public ORKAnswerFormat {
public:
    ORKNumericAnswerFormat(qint64 style, std::optional<QString> unit, std::optional<double> minimum,
                           std::optional<double> maximum,
                           std::optional<qint64> maximumFractionDigits)
        : style(style),
          unit(std::move(unit)),
          minimum(minimum),
          maximum(maximum),
          maximumFractionDigits(maximumFractionDigits) {}

    qint64 style = 0;
    std::optional<QString> unit;
    std::optional<double> minimum;
    std::optional<double> maximum;
    std::optional<qint64> maximumFractionDigits;
    std::optional<double> defaultNumericAnswer;
    bool hideUnitWhenAnswerIsEmpty = false;
    std::optional<QString> placeholder;
};

}  // namespace pathloom
