#include "steps/PathloomCoreStepType.h"

#include "steps/ImageCaptureStepBuilder.h"
#include "steps/PathloomDisplayStep.h"
#include "steps/PathloomDocumentCaptureStep.h"
#include "steps/PathloomEmailStep.h"
#include "steps/PathloomListStep.h"
#include "steps/PathloomNetworkDisplayStep.h"
#include "steps/PathloomNetworkListStep.h"
#include "steps/PathloomNetworkStep.h"
#include "steps/PathloomPDFStep.h"
#include "steps/PathloomSimulateNetworkStep.h"
#include "steps/StepFactoryError.h"

namespace pathloom {

using namespace Qt::StringLiterals;

QList<PathloomCoreStepType> PathloomCoreStepType::allCases() {
    QList<PathloomCoreStepType> cases;
    for (int value = int(Case::imageCapture); value <= int(Case::email); ++value) {
        cases.append(PathloomCoreStepType(Case(value)));
    }
    return cases;
}

QString PathloomCoreStepType::typeName() const {
    switch (m_value) {
        case Case::imageCapture:
            return u"imageCapture"_s;
        case Case::list:
            return u"list"_s;
        case Case::networkList:
            return u"networkList"_s;
        case Case::pdfViewer:
            return u"pdfViewer"_s;
        case Case::network:
            return u"network"_s;
        case Case::simulateNetwork:
            return u"simulateNetwork"_s;
        case Case::display:
            return u"display"_s;
        case Case::networkDisplay:
            return u"networkDisplay"_s;
        case Case::documentCapture:
            return u"documentCapture"_s;
        case Case::email:
            return u"email"_s;
    }
    return {};
}

StepClass PathloomCoreStepType::stepClass() const {
    switch (m_value) {
        case Case::imageCapture:
            // The task framework's own class; the framework builds it from the document.
            return StepClass(&ImageCaptureStepBuilder::build);
        case Case::list:
            return StepClass::of<PathloomListStep>();
        case Case::networkList:
            return StepClass::of<PathloomNetworkListStep>();
        case Case::pdfViewer:
            return StepClass::of<PathloomPDFStep>();
        case Case::network:
            return StepClass::of<PathloomNetworkStep>();
        case Case::simulateNetwork:
            return StepClass::of<PathloomSimulateNetworkStep>();
        case Case::display:
            return StepClass::of<PathloomDisplayStep>();
        case Case::networkDisplay:
            return StepClass::of<PathloomNetworkDisplayStep>();
        case Case::documentCapture:
            return StepClass::of<PathloomDocumentCaptureStep>();
        case Case::email:
            return StepClass::of<PathloomEmailStep>();
    }
    // Only a value cast from outside the enumeration gets here; it builds nothing.
    return StepClass([](const StepData&, const StepContext&, const std::shared_ptr<NetworkManager>&,
                        const std::shared_ptr<ImageLoader>&,
                        const Localization&) -> StepBuildResult {
        return std::unexpected(StepFactoryError::unsuportedStep());
    });
}

}  // namespace pathloom
