#pragma once

#include "taskmodel/ORKObject.h"
#include "taskmodel/Value.h"

#include <QImage>
#include <QString>
#include <optional>

namespace pathloom {

// One choice of an image choice list: its picture when not selected and when selected, a text
// and the value it answers with.
class ORKImageChoice : public ORKObject {
public:
    ORKImageChoice(std::optional<QImage> normalStateImage, std::optional<QImage> selectedStateImage,
                   std::optional<QString> text, Value value)
        : normalStateImage(std::move(normalStateImage)),
          selectedStateImage(std::move(selectedStateImage)),
          text(std::move(text)),
          value(std::move(value)) {}

    std::optional<QImage> normalStateImage;
    std::optional<QImage> selectedStateImage;
    std::optional<QString> text;
    Value value;
};

}  // namespace pathloom
