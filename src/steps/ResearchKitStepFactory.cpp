#include "steps/ResearchKitStepFactory.h"

#include "documents/ParseError.h"
#include "foundation/ImageLoader.h"
#include "loading/Localization.h"
#include "serialization/ORKESerializationDictionaryLocalizer.h"
#include "serialization/ORKESerializer.h"
#include "steps/ResearchKitStepType.h"

namespace pathloom {

using namespace Qt::StringLiterals;

bool ResearchKitStepFactory::canBuild(const QString& typeName) const {
    return ResearchKitStepType::fromTypeName(typeName).has_value();
}

StepBuildResult ResearchKitStepFactory::buildStep(const StepData& data, const StepContext&,
                                                  const std::shared_ptr<NetworkManager>&,
                                                  const std::shared_ptr<ImageLoader>& imageLoader,
                                                  const Localization& localization) const {
    const std::optional<ResearchKitStepType> type = ResearchKitStepType::fromTypeName(data.type);
    if (!type) {
        return std::unexpected(ParseError::invalidStepData(u"Unsupported step type"_s));
    }
    QJsonObject json = data.content;
    json.insert(ORKESerializationClassKey, type->className());

    ORKESerializationContext context;
    context.localizer = std::make_shared<ORKESerializationDictionaryLocalizer>(
        localization.translations().value_or(QHash<QString, QString>{}),
        localization.textObserver());
    std::expected<Value::Object, ORKESerializationError> object =
        ORKESerializer::objectFromJSONObject(json, context);
    if (!object) {
        return std::unexpected(object.error());
    }
    std::shared_ptr<ORKStep> step = std::dynamic_pointer_cast<ORKStep>(*object);
    if (!step) {
        return std::unexpected(ParseError::invalidStepData(u"Invalid step calls"_s));
    }
    if (data.image) {
        step->image = data.image;
    } else if (data.imageURL) {
        step->image = imageLoader->syncLoad(*data.imageURL);
    }
    return step;
}

}  // namespace pathloom
