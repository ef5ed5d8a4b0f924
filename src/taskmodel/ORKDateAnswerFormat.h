#pragma once

#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/PlatformValues.h"

#include <QDateTime>
#include <optional>

namespace pathloom {

// A date answer; `style` 0 picks a date and a time, 1 a date only.
class ORKDateAnswerFormat : public ORKAnswerFormat {
public:
    ORKDateAnswerFormat(qint64 style, std::optional<QDateTime> defaultDate,
                        std::optional<QDateTime> minimumDate, std::optional<QDateTime> maximumDate,
                        std::optional<Calendar> calendar)
        : style(style),
          calendar(std::move(calendar)),
          minimumDate(std::move(minimumDate)),
          maximumDate(std::move(maximumDate)),
          defaultDate(std::move(defaultDate)) {}

    qint64 style = 0;
    std::optional<Calendar> calendar;
    std::optional<QDateTime> minimumDate;
    std::optional<QDateTime> maximumDate;
    std::optional<QDateTime> defaultDate;
    qint64 minuteInterval = 0;
};

}  // namespace pathloom
