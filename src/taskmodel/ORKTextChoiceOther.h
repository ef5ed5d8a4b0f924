#pragma once

#include "taskmodel/ORKTextChoice.h"

namespace pathloom {

// The "other" choice of a text choice list, which opens a text view for the answerer's own words.
class ORKTextChoiceOther : public ORKTextChoice {
public:
    ORKTextChoiceOther(std::optional<QString> text, std::optional<QString> detailText, Value value,
                       bool exclusive, std::optional<QString> textViewPlaceholderText,
                       bool textViewInputOptional, bool textViewStartsHidden)
        : ORKTextChoice(std::move(text), std::move(detailText), std::move(value), exclusive),
          textViewPlaceholderText(std::move(textViewPlaceholderText)),
          textViewInputOptional(textViewInputOptional),
          textViewStartsHidden(textViewStartsHidden) {}

    std::optional<QString> textViewPlaceholderText;
    bool textViewInputOptional = false;
    bool textViewStartsHidden = false;
};

}  // namespace pathloom
