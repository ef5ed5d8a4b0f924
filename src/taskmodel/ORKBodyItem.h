#pragma once

#include "taskmodel/ORKLearnMoreItem.h"
#include "taskmodel/ORKObject.h"

#include <QImage>
#include <QString>
#include <memory>
#include <optional>
#include <utility>

namespace pathloom {

// One paragraph of a step's body: a text with detail, an image or a "learn more" link, drawn in
// one of the body item styles (text, bullet, image, …).
class ORKBodyItem : public ORKObject {
public:
    ORKBodyItem(std::optional<QString> text, std::optional<QString> detailText,
                std::optional<QImage> image, std::shared_ptr<ORKLearnMoreItem> learnMoreItem,
                qint64 bodyItemStyle, bool useCardStyle)
        : text(std::move(text)),
          detailText(std::move(detailText)),
          bodyItemStyle(bodyItemStyle),
          image(std::move(image)),
          learnMoreItem(std::move(learnMoreItem)),
          useCardStyle(useCardStyle) {}

    std::optional<QString> text;
    std::optional<QString> detailText;
    qint64 bodyItemStyle = 0;
    std::optional<QImage> image;
    std::shared_ptr<ORKLearnMoreItem> learnMoreItem;
    bool useCardStyle = false;
    bool useSecondaryColor = false;
};

}  // namespace pathloom
