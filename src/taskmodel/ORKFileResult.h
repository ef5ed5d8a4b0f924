#pragma once

#include "taskmodel/ORKResult.h"

#include <QUrl>

namespace pathloom {

// A file that a step recorded (a photo, a video, a scanned document), with its MIME type.
class ORKFileResult : public ORKResult {
public:
    using ORKResult::ORKResult;

    [[nodiscard]] std::shared_ptr<ORKResult> copy() const override {
        return std::make_shared<ORKFileResult>(*this);
    }

    std::optional<QUrl> fileURL;
    std::optional<QString> contentType;
};

}  // namespace pathloom
