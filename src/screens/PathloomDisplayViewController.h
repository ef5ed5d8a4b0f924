#pragma once

#include "foundation/DebugConsole.h"
#include "screens/ProgressIndicator.h"
#include "screens/RowImageLoads.h"
#include "screens/StepScreenDelegate.h"
#include "steps/DisplayStepController.h"
#include "taskscreens/ORKTableStepViewController.h"

#include <QPointer>
#include <memory>

namespace pathloom {

class CustomButton;
class PathloomImageTableViewCell;
class SymbolCatalogue;
class WorkflowPresentationDelegate;

// The screen of a page (display step): texts, pictures, videos and buttons, one per row. A button
// runs its action through the page's controller and stays disabled until the action has ended,
// so that it cannot send twice; a video plays in the player screen; a server call shows the
// progress box over the window.
class PathloomDisplayViewController : public ORKTableStepViewController, public StepScreenDelegate {
    Q_OBJECT

public:
    static constexpr int kSectionHeaderHeight = 15;

    PathloomDisplayViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                  const SymbolCatalogue& symbols, DebugConsole console = {},
                                  QWidget* parent = nullptr);
    ~PathloomDisplayViewController() override;

    // Opens the workflows the page's buttons name; set by whoever presents the task. Without one,
    // such a button says it found no workflow.
    void setWorkflowPresentationDelegate(WorkflowPresentationDelegate* delegate) {
        m_presenter = delegate;
    }
    [[nodiscard]] DisplayStepController& controller() const { return *m_controller; }
    [[nodiscard]] const RowImageLoads& ongoingImageLoads() const { return m_imageLoads; }
    [[nodiscard]] const ProgressIndicator& progressIndicator() const { return m_progress; }
    // The button of the page's row labelled `label`, or null.
    [[nodiscard]] CustomButton* button(const QString& label) const;

    void viewWillAppear() override;

Q_SIGNALS:
    // A button's action has run to its end.
    void buttonActionEnded();

protected:
    [[nodiscard]] QWidget* makeCell(qsizetype row) override;

    void setLoading(bool loading) override;
    void contentDidChange(const std::optional<QString>& emptyMessage) override;
    void buttonActionDidEnd() override;
    void presentWorkflow(
        const QString& name,
        std::function<void(ORKTaskViewControllerFinishReason)> completion) override;

private:
    void tapButton(qsizetype row, CustomButton& button);
    void play(qsizetype row);
    void loadPicture(qsizetype row, PathloomImageTableViewCell& cell);

    const SymbolCatalogue& m_symbols;
    WorkflowPresentationDelegate* m_presenter = nullptr;
    ProgressIndicator m_progress;
    QPointer<CustomButton> m_tappedButton;
    // Declared before the controller, which may still report while it goes.
    RowImageLoads m_imageLoads;
    std::shared_ptr<DisplayStepController> m_controller;
};

}  // namespace pathloom
