#pragma once

#include "taskmodel/ORKAnswerFormat.h"

#include <QString>
#include <optional>

namespace pathloom {

// An amount of money answer in `currencyCode` (ISO 4217), formatted for `localeIdentifier`.
class ORKCurrencyAnswerFormat : public ORKAnswerFormat {
public:
    ORKCurrencyAnswerFormat(std::optional<QString> localeIdentifier,
                            std::optional<QString> currencyCode)
        : localeIdentifier(std::move(localeIdentifier)), currencyCode(std::move(currencyCode)) {}

    std::optional<QString> localeIdentifier;
    std::optional<QString> currencyCode;
};

}  // namespace pathloom
