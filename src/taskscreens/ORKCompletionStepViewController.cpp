#include "taskscreens/ORKCompletionStepViewController.h"

#include "taskscreens/ORKCompletionCheckmarkView.h"

#include <QAction>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

ORKCompletionStepViewController::ORKCompletionStepViewController(std::shared_ptr<ORKStep> step,
                                                                 ORKTaskViewController& task,
                                                                 QWidget* parent)
    : ORKInstructionStepViewController(std::move(step), task, parent),
      m_checkmark(new ORKCompletionCheckmarkView) {
    m_checkmark->setObjectName(u"completionCheckmark"_s);
    contentLayout()->insertWidget(0, m_checkmark, 0, Qt::AlignHCenter);
}

void ORKCompletionStepViewController::viewWillAppear() {
    ORKInstructionStepViewController::viewWillAppear();
    // The task titles continue by whether a step follows; closing the task reads "Done" always.
    continueButtonItem()->setText(tr("Done"));
}

}  // namespace pathloom
