#pragma once

#include "taskscreens/ORKStepViewController.h"

class QListWidget;

namespace pathloom {

// The screen of a step that lists items: its title and text over one row per item, showing the
// item's text (a bullet before each when the step asks for bullets). Rows can be read, not
// chosen.
class ORKTableStepViewController : public ORKStepViewController {
    Q_OBJECT

public:
    ORKTableStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                               QWidget* parent = nullptr);

    [[nodiscard]] QListWidget& tableView() const { return *m_rows; }

private:
    QListWidget* m_rows;
};

}  // namespace pathloom
