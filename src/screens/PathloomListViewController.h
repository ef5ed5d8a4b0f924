#pragma once

#include "screens/RowImageLoads.h"
#include "screens/StepScreenDelegate.h"
#include "steps/ListStepController.h"
#include "taskscreens/ORKTableStepViewController.h"

#include <memory>

namespace pathloom {

class PathloomSubtitleTableViewCell;
class SymbolCatalogue;

// The screen of a list step: one row per entry, with the entry's picture (or its symbol while
// there is none); choosing an entry records it and moves on, once.
class PathloomListViewController : public ORKTableStepViewController, public StepScreenDelegate {
    Q_OBJECT

public:
    PathloomListViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                               const SymbolCatalogue& symbols, QWidget* parent = nullptr);

    [[nodiscard]] ListStepController& controller() const { return *m_controller; }
    [[nodiscard]] const RowImageLoads& ongoingImageLoads() const { return m_imageLoads; }

    void viewWillAppear() override;

protected:
    [[nodiscard]] QWidget* makeCell(qsizetype row) override;

private:
    void select(qsizetype row);
    void loadPicture(qsizetype row, PathloomSubtitleTableViewCell& cell);
    [[nodiscard]] std::optional<QImage> symbol(qsizetype row) const;

    const SymbolCatalogue& m_symbols;
    // Declared before the controller, which may still report while it goes.
    RowImageLoads m_imageLoads;
    std::unique_ptr<ListStepController> m_controller;
};

}  // namespace pathloom
