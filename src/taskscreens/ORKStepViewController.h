#pragma once

#include "taskmodel/ORKTaskRun.h"
#include "taskscreens/NavigationItem.h"
#include "taskscreens/ScreenAppearance.h"

#include <QWidget>
#include <memory>

class QAction;
class QSpacerItem;
class QVBoxLayout;

namespace pathloom {

class ORKNavigationContainerView;
class ORKResult;
class ORKStep;
class ORKStepResult;
class ORKTaskViewController;

// The screen of one step inside a task screen: a content area over a footer with the continue
// and skip buttons. It shows and collects; the task's runner records and moves, so every result
// and move goes through it, and only while this screen is the task's current one (a screen on its
// way out can change nothing).
//
// Subclasses fill the content area (contentLayout(), or setContentWidget() for content that
// scrolls by itself) and add their answers in willLeave(), which runs before every move, backwards
// too. Continue adds the answers and moves forward; Skip moves forward without them.
//
// Main thread only. The task screen owns the current step screen and replaces it with
// deleteLater().
class ORKStepViewController : public QWidget, public ScreenAppearance {
    Q_OBJECT

public:
    ORKStepViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                          QWidget* parent = nullptr);

    [[nodiscard]] const std::shared_ptr<ORKStep>& step() const { return m_step; }
    [[nodiscard]] ORKTaskViewController& taskViewController() const { return m_task; }

    // The result the runner keeps for this step's visit; null while this is not the task's
    // current screen.
    [[nodiscard]] std::shared_ptr<const ORKStepResult> result() const;
    // What this step recorded when it was last left, either way; null the first time it shows.
    [[nodiscard]] std::shared_ptr<const ORKStepResult> previousResult() const;
    void addResult(std::shared_ptr<ORKResult> result);
    // Both move on the next pass of the event loop; a second move asked in the same visit is
    // dropped. Going back from the first step does nothing.
    void goForward();
    void goBackward();

    // The footer's actions: the task titles continue "Next" or "Done" and shows Skip for optional
    // steps before the screen appears; a screen may retitle, disable or hide them.
    [[nodiscard]] QAction* continueButtonItem() const { return m_continueItem; }
    [[nodiscard]] QAction* skipButtonItem() const { return m_skipItem; }

    [[nodiscard]] ORKNavigationContainerView* navigationFooterView() const { return m_footer; }
    // Replaces the footer with `footer` (owned from now on), bound to the same actions.
    void setNavigationFooterView(ORKNavigationContainerView* footer);
    void hideNavigationFooterView();
    [[nodiscard]] bool isNavigationFooterHidden() const { return m_footerHidden; }

    // Hides the bar's back and cancel buttons for this step.
    void disableButtonItemNavigation();
    [[nodiscard]] bool isButtonItemNavigationDisabled() const { return m_navigationDisabled; }

    // The bar's title (the step's title at first) and right-hand action while this step shows.
    [[nodiscard]] NavigationItem& navigationItem() { return m_navigationItem; }
    [[nodiscard]] const NavigationItem& navigationItem() const { return m_navigationItem; }

    // The content area, top to bottom; whatever is added scrolls with it. Null once
    // setContentWidget() has replaced the area.
    [[nodiscard]] QVBoxLayout* contentLayout() const { return m_contentLayout; }
    // Adds the step's title and text, where it has them, to the content area.
    void addTitleAndText();
    // Lets the content area's widgets with a stretch take the whole height of the screen instead
    // of leaving the space below the content empty: for a table that scrolls by itself.
    void fillContentHeight();
    // Puts `content` (owned from now on) in place of the content area, for content that scrolls
    // by itself or fills the screen; the area it replaces is deleted.
    void setContentWidget(QWidget* content);

    // Puts the footer's buttons after the content in the Tab order, whenever the content was
    // added (the task screen does it once the screen will appear; a screen that adds controls
    // later calls it again).
    void updateTabOrder();

    // Called by the task screen just before the runner leaves this step: adds the screen's
    // answers through willLeave() unless the user skipped.
    void prepareToLeave(ORKStepViewControllerNavigationDirection direction);

Q_SIGNALS:
    // The bar's back and cancel buttons or the footer changed visibility.
    void navigationChanged();

protected:
    // Adds what the screen collected (addResult()) before any move; nothing by default.
    virtual void willLeave(ORKStepViewControllerNavigationDirection direction);

private:
    enum class Move { none, leave, skip };

    [[nodiscard]] bool isCurrent() const;
    void requestMove(Move move, ORKStepViewControllerNavigationDirection direction);

    std::shared_ptr<ORKStep> m_step;
    ORKTaskViewController& m_task;
    NavigationItem m_navigationItem;
    QAction* m_continueItem;
    QAction* m_skipItem;
    QVBoxLayout* m_layout;
    QVBoxLayout* m_contentLayout;
    ORKNavigationContainerView* m_footer = nullptr;
    QWidget* m_contentArea = nullptr;
    // Below the content; squeezed to nothing by fillContentHeight().
    QSpacerItem* m_contentStretch = nullptr;
    bool m_footerHidden = false;
    bool m_navigationDisabled = false;
    Move m_pendingMove = Move::none;
};

}  // namespace pathloom
