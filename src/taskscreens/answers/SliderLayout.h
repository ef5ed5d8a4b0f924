#pragma once

#include "platform/TextStyles.h"

#include <QString>
#include <optional>

class QLabel;
class QSlider;
class QWidget;

namespace pathloom {

// How the slider widgets lay out: the chosen value over the slider, over the texts of its two
// ends.
class SliderLayout {
public:
    struct Ends {
        QString minimum;
        QString maximum;
    };

    // Lays out `slider` in `owner`, with a value label ("scaleValue", in `valueStyle`) over it and
    // the ends' texts under it; gives the value label, which the caller fills and may hide.
    static QLabel* build(QWidget& owner, QSlider& slider, TextStyles::Style valueStyle,
                         const Ends& ends);
    // An end's text: its value unless the format hides ranges, then its description unless the
    // format hides labels.
    [[nodiscard]] static QString endText(const QString& value,
                                         const std::optional<QString>& description, bool hideRanges,
                                         bool hideLabels);
};

}  // namespace pathloom
