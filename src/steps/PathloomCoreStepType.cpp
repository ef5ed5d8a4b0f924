#include "steps/PathloomCoreStepType.h"

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
    // The framework's step classes are not built yet: their types are known (so that plug-ins
    // cannot take their names) but refuse to build.
    return StepClass([](const StepData&, const StepContext&, const std::shared_ptr<NetworkManager>&,
                        ImageLoader&, const Localization&) -> StepBuildResult {
        return std::unexpected(StepFactoryError::unsuportedStep());
    });
}

}  // namespace pathloom
