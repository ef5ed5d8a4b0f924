#pragma once

#include "taskscreens/ORKInstructionStepViewController.h"

namespace pathloom {

class ORKCompletionCheckmarkView;

// The screen that closes a task: the instruction screen under a tinted check mark; its continue
// button reads "Done".
class ORKCompletionStepViewController : public ORKInstructionStepViewController {
    Q_OBJECT

public:
    ORKCompletionStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                    QWidget* parent = nullptr);

    [[nodiscard]] ORKCompletionCheckmarkView* checkmarkView() const { return m_checkmark; }

    void viewWillAppear() override;

private:
    ORKCompletionCheckmarkView* m_checkmark;
};

}  // namespace pathloom
