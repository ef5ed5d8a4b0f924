#include "steps/PathloomDocumentCaptureStep.h"

namespace pathloom {

StepBuildResult PathloomDocumentCaptureStep::build(const StepData& data, const StepContext&,
                                                   const std::shared_ptr<NetworkManager>&,
                                                   const std::shared_ptr<ImageLoader>&,
                                                   const Localization&) {
    return std::make_shared<PathloomDocumentCaptureStep>(data.identifier);
}

}  // namespace pathloom
