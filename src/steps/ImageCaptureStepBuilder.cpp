#include "steps/ImageCaptureStepBuilder.h"

#include "foundation/ImageLoader.h"
#include "foundation/Json.h"
#include "loading/Localization.h"
#include "steps/StepCreationError.h"
#include "taskmodel/ORKImageCaptureStep.h"

namespace pathloom {

namespace {

// A JSON boolean, or a number that is exactly 0 or 1.
std::optional<bool> booleanOf(const QJsonValue& value) {
    if (const std::optional<bool> boolean = json::asBoolean(value)) {
        return boolean;
    }
    const std::optional<double> number = json::asNumber(value);
    if (number == 0.0 || number == 1.0) {
        return *number == 1.0;
    }
    return std::nullopt;
}

}  // namespace

static_assert(BuildableStep<ImageCaptureStepBuilder>);

StepBuildResult ImageCaptureStepBuilder::build(const StepData& data, const StepContext&,
                                               const std::shared_ptr<NetworkManager>&,
                                               const std::shared_ptr<ImageLoader>& imageLoader,
                                               const Localization& localization) {
    auto step = std::make_shared<ORKImageCaptureStep>(data.identifier);
    step->title = localization.translate(json::readString(data.content, u"title"));
    step->optional = booleanOf(data.content.value(u"optional")).value_or(false);
    if (const std::optional<qint64> position = json::readInteger(data.content, u"devicePosition")) {
        step->devicePosition = *position;
    }
    if (const std::optional<QString> url = json::readString(data.content, u"templateImageURL")) {
        std::optional<QImage> templateImage = imageLoader->syncLoad(*url);
        if (!templateImage) {
            return std::unexpected(StepCreationError::unableToLoadTemplateImage(data.identifier));
        }
        step->templateImage = std::move(templateImage);
    }
    return step;
}

}  // namespace pathloom
