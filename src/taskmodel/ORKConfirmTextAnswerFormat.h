#pragma once

#include "taskmodel/ORKTextAnswerFormat.h"

#include <QString>
#include <optional>

namespace pathloom {

// A text answer that must repeat the answer of the form item named by `originalItemIdentifier`;
// `errorMessage` is shown when it does not.
class ORKConfirmTextAnswerFormat : public ORKTextAnswerFormat {
public:
    ORKConfirmTextAnswerFormat(std::optional<QString> originalItemIdentifier,
                               std::optional<QString> errorMessage)
        : originalItemIdentifier(std::move(originalItemIdentifier)),
          errorMessage(std::move(errorMessage)) {}

    std::optional<QString> originalItemIdentifier;
    std::optional<QString> errorMessage;
};

}  // namespace pathloom
