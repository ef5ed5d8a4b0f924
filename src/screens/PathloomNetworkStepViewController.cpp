#include "screens/PathloomNetworkStepViewController.h"

#include "steps/PathloomNetworkStep.h"
#include "taskscreens/ORKBorderedButton.h"

#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

PathloomNetworkStepViewController::PathloomNetworkStepViewController(std::shared_ptr<ORKStep> step,
                                                                     ORKTaskViewController& task,
                                                                     QWidget* parent)
    : ORKWaitStepViewController(step, task, parent),
      StepScreenDelegate(static_cast<ORKStepViewController&>(*this)),
      m_tryAgain(new ORKBorderedButton(u"Try Again"_s)),
      m_controller(NetworkStepController::create(
          std::static_pointer_cast<PathloomNetworkStep>(std::move(step)), *this)) {
    m_tryAgain->setObjectName(u"tryAgain"_s);
    m_tryAgain->hide();
    contentLayout()->addWidget(m_tryAgain, 0, Qt::AlignHCenter);
    contentLayout()->addStretch();
    connect(m_tryAgain, &QPushButton::clicked, this,
            &PathloomNetworkStepViewController::startLoading);
}

void PathloomNetworkStepViewController::viewWillAppear() {
    ORKWaitStepViewController::viewWillAppear();
    // Posted once: coming back to the step after a modal screen must not post the session again.
    if (!std::exchange(m_started, true)) {
        startLoading();
    }
}

void PathloomNetworkStepViewController::startLoading() {
    m_tryAgain->hide();
    m_controller->start();
}

void PathloomNetworkStepViewController::setLoading(bool loading) {
    if (std::exchange(m_loading, loading) == loading) {
        return;
    }
    setProgress(loading ? 0.0 : 1.0);
}

void PathloomNetworkStepViewController::showError(const Error& error) {
    m_tryAgain->show();
    updateTabOrder();
    StepScreenDelegate::showError(error);
}

}  // namespace pathloom
