#pragma once

#include <QPointer>
#include <QWidget>

class QAction;
class QPushButton;

namespace pathloom {

class ORKBorderedButton;
class ORKContinueButton;

// The footer of a step screen: an optional "Skip" button ("skipButton") over the continue button
// ("continueButton"). Each button follows its action (text, enabled, visible) and triggers it.
class ORKNavigationContainerView : public QWidget {
    Q_OBJECT

public:
    explicit ORKNavigationContainerView(QWidget* parent = nullptr);

    // Neither action is owned; either may be null, which hides its button.
    void setContinueAction(QAction* action);
    void setSkipAction(QAction* action);

    [[nodiscard]] ORKContinueButton* continueButton() const { return m_continue; }
    [[nodiscard]] ORKBorderedButton* skipButton() const { return m_skip; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static void follow(QPushButton* button, QPointer<QAction>& current, QAction* action);
    static void update(QPushButton* button, const QAction* action);

    ORKBorderedButton* m_skip;
    ORKContinueButton* m_continue;
    QPointer<QAction> m_skipAction;
    QPointer<QAction> m_continueAction;
};

}  // namespace pathloom
