#pragma once

#include "taskmodel/ORKAnswerFormat.h"

#include <QString>
#include <optional>

namespace pathloom {

// A socio-economic status answer: a rung picked on a ladder whose ends carry the two texts.
class ORKSESAnswerFormat : public ORKAnswerFormat {
public:
    std::optional<QString> topRungText;
    std::optional<QString> bottomRungText;
};

}  // namespace pathloom
