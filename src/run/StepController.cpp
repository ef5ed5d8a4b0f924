#include "run/StepController.h"

#include "network/PDFImageRenderer.h"
#include "steps/DisplayStepController.h"
#include "steps/DocumentCaptureController.h"
#include "steps/EmailStepController.h"
#include "steps/ListStepController.h"
#include "steps/NetworkStepController.h"
#include "steps/PathloomDocumentCaptureStep.h"
#include "steps/PathloomEmailStep.h"
#include "steps/PathloomNetworkStep.h"
#include "steps/PathloomPDFStep.h"
#include "steps/PdfStepController.h"
#include "steps/SimulatedNetworkStepController.h"
#include "taskmodel/ORKTableStep.h"

namespace pathloom {

StepController StepController::make(const std::shared_ptr<ORKStep>& step,
                                    StepControllerDelegate& delegate, const Services& services,
                                    const QDateTime& stepStartDate) {
    StepController made;
    made.m_kind = stepKind(*step);
    switch (made.m_kind) {
        case StepKind::network:
            made.m_controller = NetworkStepController::create(
                std::static_pointer_cast<PathloomNetworkStep>(step), delegate);
            break;
        case StepKind::simulatedNetwork:
            made.m_controller = std::make_shared<SimulatedNetworkStepController>(step, delegate);
            break;
        case StepKind::list:
        case StepKind::remoteList:
            made.m_controller = std::make_shared<ListStepController>(
                std::dynamic_pointer_cast<ORKTableStep>(step), delegate);
            break;
        case StepKind::display:
        case StepKind::remoteDisplay:
            made.m_controller = DisplayStepController::create(
                std::dynamic_pointer_cast<ORKTableStep>(step), delegate);
            break;
        case StepKind::email:
            if (services.mailComposer != nullptr) {
                made.m_controller =
                    EmailStepController::create(std::static_pointer_cast<PathloomEmailStep>(step),
                                                delegate, *services.mailComposer);
            }
            break;
        case StepKind::pdf:
            made.m_controller = std::make_shared<PdfStepController>(
                std::static_pointer_cast<PathloomPDFStep>(step), delegate);
            break;
        case StepKind::documentCapture:
            made.m_controller = std::make_shared<DocumentCaptureController>(
                std::static_pointer_cast<PathloomDocumentCaptureStep>(step), delegate,
                PDFImageRenderer(services.outputDirectory), stepStartDate);
            break;
        default:
            break;
    }
    return made;
}

void StepController::stepWillAppear() {
    if (const auto* network = std::get_if<std::shared_ptr<NetworkStepController>>(&m_controller)) {
        (*network)->start();
    } else if (const auto* simulated =
                   std::get_if<std::shared_ptr<SimulatedNetworkStepController>>(&m_controller)) {
        (*simulated)->stepWillAppear();
    } else if (const auto* list = std::get_if<std::shared_ptr<ListStepController>>(&m_controller)) {
        (*list)->stepWillAppear();
    } else if (const auto* display =
                   std::get_if<std::shared_ptr<DisplayStepController>>(&m_controller)) {
        (*display)->stepWillAppear();
    } else if (const auto* pdf = std::get_if<std::shared_ptr<PdfStepController>>(&m_controller)) {
        (*pdf)->start();
    }
}

template <typename T>
T* StepController::get() const {
    const auto* held = std::get_if<std::shared_ptr<T>>(&m_controller);
    return held ? held->get() : nullptr;
}

NetworkStepController* StepController::network() const { return get<NetworkStepController>(); }
ListStepController* StepController::list() const { return get<ListStepController>(); }
DisplayStepController* StepController::display() const { return get<DisplayStepController>(); }
EmailStepController* StepController::email() const { return get<EmailStepController>(); }
PdfStepController* StepController::pdf() const { return get<PdfStepController>(); }
DocumentCaptureController* StepController::documentCapture() const {
    return get<DocumentCaptureController>();
}

}  // namespace pathloom
