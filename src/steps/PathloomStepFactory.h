#pragma once

#include "steps/PathloomPlugin.h"
#include "steps/StepFactory.h"

namespace pathloom {

// Builds the framework's own step kinds and those of the host's plug-ins. The first supported type
// of a name wins, so a plug-in cannot replace a built-in kind, and an earlier plug-in wins over a
// later one.
class PathloomStepFactory : public StepFactory {
public:
    explicit PathloomStepFactory(const QList<PluginType>& plugins = {});

    // The built-in types in case order, then each plug-in's types in order.
    [[nodiscard]] const StepTypes& supportedTypes() const { return m_supportedTypes; }

    [[nodiscard]] bool canBuild(const QString& typeName) const override;
    // Builds through the step class of the first type of that name, then sets the step's title
    // to the translated "title" of the document, if it has a text one.
    [[nodiscard]] StepBuildResult buildStep(const StepData& data, const StepContext& context,
                                            const std::shared_ptr<NetworkManager>& networkManager,
                                            const std::shared_ptr<ImageLoader>& imageLoader,
                                            const Localization& localization) const override;

private:
    [[nodiscard]] const PathloomStepType* typeNamed(const QString& typeName) const;

    StepTypes m_supportedTypes;
};

}  // namespace pathloom
