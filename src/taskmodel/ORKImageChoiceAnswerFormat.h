#pragma once

#include "taskmodel/ORKAnswerFormat.h"
#include "taskmodel/ORKImageChoice.h"

#include <QList>
#include <memory>

namespace pathloom {

// An answer picked from a row (or column) of pictures; `style` 0 allows one choice, 1 several.
class ORKImageChoiceAnswerFormat : public ORKAnswerFormat {
public:
    ORKImageChoiceAnswerFormat(QList<std::shared_ptr<ORKImageChoice>> imageChoices, qint64 style,
                               bool vertical)
        : imageChoices(std::move(imageChoices)), style(style), vertical(vertical) {}

    QList<std::shared_ptr<ORKImageChoice>> imageChoices;
    qint64 style = 0;
    bool vertical = false;
};

}  // namespace pathloom
