#pragma once

#include "taskscreens/ORKStepViewController.h"

#include <functional>

namespace pathloom {

class LoadingStateView;
class ORKBodyLabel;
class ORKContinueButton;
class ORKTitleLabel;

// A step screen of a title, a text and one button at the bottom, which runs the action it was
// configured with; open to host plug-ins for steps of their own. The button takes the place of
// the task's footer, which this screen hides. A loading view, hidden until a subclass shows it,
// covers everything above the button's row.
//
// Handles: the button is "stepButton". Main thread only.
class PathloomButtonViewController : public ORKStepViewController {
    Q_OBJECT

public:
    // The height of the row at the bottom that holds the button.
    static constexpr int kButtonsRowHeight = 163;

    PathloomButtonViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                 QWidget* parent = nullptr);

    // Lays the screen out anew: `title` and `body` over a button titled `buttonTitle` whose tap
    // runs `action`. What an earlier call built goes, with its action.
    void configureWithTitle(const QString& title, const QString& body, const QString& buttonTitle,
                            std::function<void()> action);
    // What a tap on the button does: runs the action, if there is one.
    void buttonAction();

    // Null until configured.
    [[nodiscard]] ORKContinueButton* button() const { return m_button; }
    [[nodiscard]] QWidget* buttonsRow() const { return m_buttonsRow; }
    [[nodiscard]] ORKTitleLabel* titleLabel() const { return m_titleLabel; }
    [[nodiscard]] ORKBodyLabel* bodyLabel() const { return m_bodyLabel; }
    [[nodiscard]] LoadingStateView* loadingView() const { return m_loadingView; }

private:
    std::function<void()> m_action;
    // Children of the content of the latest configuration.
    ORKContinueButton* m_button = nullptr;
    QWidget* m_buttonsRow = nullptr;
    ORKTitleLabel* m_titleLabel = nullptr;
    ORKBodyLabel* m_bodyLabel = nullptr;
    LoadingStateView* m_loadingView = nullptr;
};

}  // namespace pathloom
