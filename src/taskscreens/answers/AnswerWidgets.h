#pragma once

#include "foundation/DebugConsole.h"

#include <QString>
#include <optional>

class QWidget;

namespace pathloom {

class AnswerWidget;
class ORKAnswerFormat;

// Makes the widget that answers a format: the one place that knows which widget goes with which
// answer format.
class AnswerWidgets {
public:
    // A format with nothing to answer with gets a NoAnswerWidget and a console line. `format`
    // outlives the widget; `placeholder` (the step's or item's) wins over the format's own.
    [[nodiscard]] static AnswerWidget* make(const ORKAnswerFormat& format,
                                            const std::optional<QString>& placeholder,
                                            const DebugConsole& console, QWidget* parent = nullptr);
};

}  // namespace pathloom
