#pragma once

#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/ORKTextChoice.h"

#include <QColor>
#include <QList>
#include <memory>

namespace pathloom {

// An answer picked on a slider whose positions are text choices; `defaultIndex` is the position
// the slider starts at.
class ORKTextScaleAnswerFormat : public ORKAnswerFormat {
public:
    ORKTextScaleAnswerFormat(QList<std::shared_ptr<ORKTextChoice>> textChoices, qint64 defaultIndex,
                             bool vertical)
        : textChoices(std::move(textChoices)), defaultIndex(defaultIndex), vertical(vertical) {}

    QList<std::shared_ptr<ORKTextChoice>> textChoices;
    qint64 defaultIndex = 0;
    bool vertical = false;
    QList<QColor> gradientColors;
    QList<double> gradientLocations;
    bool hideSelectedValue = false;
    bool hideRanges = false;
    bool hideLabels = false;
    bool hideValueMarkers = false;
};

}  // namespace pathloom
