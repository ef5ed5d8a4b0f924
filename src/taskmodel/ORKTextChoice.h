#pragma once

#include "taskmodel/ORKObject.h"
#include "taskmodel/Value.h"

#include <QString>
#include <optional>

namespace pathloom {

// One choice of a text choice list: what it shows, the value it answers with and whether choosing
// it clears every other choice.
class ORKTextChoice : public ORKObject {
public:
    ORKTextChoice(std::optional<QString> text, std::optional<QString> detailText, Value value,
                  bool exclusive)
        : text(std::move(text)),
          detailText(std::move(detailText)),
          value(std::move(value)),
          exclusive(exclusive) {}

    std::optional<QString> text;
    std::optional<QString> detailText;
    Value value;
    bool exclusive = false;
};

}  // namespace pathloom
