#pragma once

#include "run/CapturedFiles.h"
#include "taskscreens/ORKStepViewController.h"

#include <optional>

namespace pathloom {

// What the capture screens share: the step's title and text at the top, a file picker and files
// dropped on the screen handed to useFile(), and the capture stored in the run's output folder as
// the step's file result when the step is left, either way. A capture that cannot be stored is
// said in the error alert.
class CaptureStepViewController : public ORKStepViewController {
    Q_OBJECT

public:
    // Takes the file at `path` (chosen or dropped); false, with the error alert, when it does not
    // fit the step. Files are refused unless a screen takes them.
    virtual bool useFile(const QString& path);

protected:
    CaptureStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                              QWidget* parent);

    // Stores what was captured; nothing while there is no capture yet.
    [[nodiscard]] virtual std::optional<CapturedFiles::Stored> store(
        const CapturedFiles& files) const = 0;
    // Opens a file picker ("<name>Picker") without blocking; the chosen file goes to useFile().
    void openFilePicker(const QString& title, const QString& filter, const QString& name);

    void willLeave(ORKStepViewControllerNavigationDirection direction) final;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

}  // namespace pathloom
