#include "taskscreens/ORKWaitStepViewController.h"

#include "screens/ActivitySpinner.h"
#include "taskmodel/ORKWaitStep.h"

#include <QProgressBar>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kProgressBar = 0;
constexpr int kSteps = 1000;

}  // namespace

ORKWaitStepViewController::ORKWaitStepViewController(std::shared_ptr<ORKStep> step,
                                                     ORKTaskViewController& task, QWidget* parent)
    : ORKStepViewController(step, task, parent) {
    addTitleAndText();
    QVBoxLayout& content = *contentLayout();
    const auto* wait = dynamic_cast<const ORKWaitStep*>(step.get());
    if (wait == nullptr || wait->indicatorType == kProgressBar) {
        m_bar = new QProgressBar;
        m_bar->setObjectName(u"progress"_s);
        m_bar->setRange(0, kSteps);
        m_bar->setTextVisible(false);
        content.addWidget(m_bar);
    } else {
        m_spinner = new ActivitySpinner;
        content.addWidget(m_spinner, 0, Qt::AlignHCenter);
        m_spinner->start();
    }
    hideNavigationFooterView();
}

void ORKWaitStepViewController::setProgress(double progress) {
    if (m_bar != nullptr) {
        m_bar->setValue(static_cast<int>(std::clamp(progress, 0.0, 1.0) * kSteps));
    }
}

}  // namespace pathloom
