#include "screens/PathloomSimulateNetworkViewController.h"

namespace pathloom {

PathloomSimulateNetworkViewController::PathloomSimulateNetworkViewController(
    std::shared_ptr<ORKStep> step, ORKTaskViewController& task, QWidget* parent)
    : ORKWaitStepViewController(step, task, parent),
      StepScreenDelegate(static_cast<ORKStepViewController&>(*this)),
      m_controller(std::move(step), *this) {}

void PathloomSimulateNetworkViewController::viewWillAppear() {
    ORKWaitStepViewController::viewWillAppear();
    m_controller.stepWillAppear();
}

}  // namespace pathloom
