#pragma once

#include "taskscreens/ORKStepViewController.h"

class QProgressBar;

namespace pathloom {

class ActivitySpinner;

// The screen of a step that waits for something to finish: its title and text over a progress
// bar, or a spinning wheel for steps whose progress is unknown. It offers no way on: whatever the
// step waits for moves the task on.
class ORKWaitStepViewController : public ORKStepViewController {
    Q_OBJECT

public:
    ORKWaitStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                              QWidget* parent = nullptr);

    // Progress from 0 to 1; nothing changes for a spinning wheel.
    void setProgress(double progress);

private:
    QProgressBar* m_bar = nullptr;
    ActivitySpinner* m_spinner = nullptr;
};

}  // namespace pathloom
