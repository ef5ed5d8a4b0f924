#pragma once

#include "taskscreens/ORKStepViewController.h"

namespace pathloom {

class ORKTableStep;
class ORKTableView;

// The screen of a step that lists items: its title and text over one row per item. Here a row
// shows the item's text (a bullet before each when the step asks for bullets) and can be read,
// not chosen; screens of richer tables make their own cells.
class ORKTableStepViewController : public ORKStepViewController {
    Q_OBJECT

public:
    ORKTableStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                               QWidget* parent = nullptr);

    [[nodiscard]] ORKTableView& tableView() const { return *m_table; }
    [[nodiscard]] ORKTableStep& tableStep() const;

    // Makes every row again from the step's items.
    void reloadData();

    void viewWillAppear() override;

protected:
    // The cell of `row`, made on each reload.
    [[nodiscard]] virtual QWidget* makeCell(qsizetype row);

private:
    ORKTableView* m_table;
    bool m_loaded = false;
};

}  // namespace pathloom
