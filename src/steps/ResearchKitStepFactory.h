#pragma once

#include "steps/StepFactory.h"

namespace pathloom {

// Builds the task framework's step kinds by decoding the step document with the serializer, its
// texts translated through the document's translation table.
class ResearchKitStepFactory : public StepFactory {
public:
    [[nodiscard]] bool canBuild(const QString& typeName) const override;
    [[nodiscard]] StepBuildResult buildStep(const StepData& data, const StepContext& context,
                                            const std::shared_ptr<NetworkManager>& networkManager,
                                            const std::shared_ptr<ImageLoader>& imageLoader,
                                            const Localization& localization) const override;
};

}  // namespace pathloom
