#include "steps/PathloomStepFactory.h"

#include "foundation/Json.h"
#include "loading/Localization.h"
#include "steps/PathloomCoreStepType.h"
#include "steps/StepFactoryError.h"

namespace pathloom {

PathloomStepFactory::PathloomStepFactory(const QList<PluginType>& plugins) {
    for (const PathloomCoreStepType& type : PathloomCoreStepType::allCases()) {
        m_supportedTypes.append(std::make_shared<PathloomCoreStepType>(type));
    }
    for (const PluginType& plugin : plugins) {
        m_supportedTypes.append(plugin.allStepsTypes());
    }
}

bool PathloomStepFactory::canBuild(const QString& typeName) const {
    return typeNamed(typeName) != nullptr;
}

StepBuildResult PathloomStepFactory::buildStep(
    const StepData& data, const StepContext& context,
    const std::shared_ptr<NetworkManager>& networkManager,
    const std::shared_ptr<ImageLoader>& imageLoader, const Localization& localization) const {
    const PathloomStepType* type = typeNamed(data.type);
    if (!type) {
        return std::unexpected(StepFactoryError::unsuportedStep());
    }
    StepBuildResult step =
        type->stepClass().build(data, context, networkManager, imageLoader, localization);
    if (!step) {
        return step;
    }
    if (const std::optional<QString> title = json::readString(data.content, u"title")) {
        (*step)->title = localization.translate(title);
    }
    return step;
}

const PathloomStepType* PathloomStepFactory::typeNamed(const QString& typeName) const {
    for (const auto& type : m_supportedTypes) {
        if (type->typeName() == typeName) {
            return type.get();
        }
    }
    return nullptr;
}

}  // namespace pathloom
