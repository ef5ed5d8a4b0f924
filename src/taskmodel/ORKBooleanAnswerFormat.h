#pragma once

#include "taskmodel/ORKAnswerFormat.h"

#include <QString>
#include <optional>

namespace pathloom {

// A yes-or-no answer, optionally with its own texts for the two buttons.
class ORKBooleanAnswerFormat : public ORKAnswerFormat {
public:
    ORKBooleanAnswerFormat(std::optional<QString> yes, std::optional<QString> no)
        : yes(std::move(yes)), no(std::move(no)) {}

    std::optional<QString> yes;
    std::optional<QString> no;
};

}  // namespace pathloom
