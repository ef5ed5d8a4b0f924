#pragma once

#include <QPointer>
#include <QWidget>

class QAction;
class QLabel;
class QToolButton;

namespace pathloom {

// The bar over a task's step screens: a back button on the left, the title centred over the
// whole bar, and on the right one optional action and a cancel button. Buttons are drawn in the
// tint and follow a tint change.
//
// Test handles: "backButton" (accessible name "Back"), "cancelButton", and the right-hand tool
// button, which takes the object name of the action it shows (the shell names its action
// "secondaryWorkflowsButton").
class NavigationBar : public QWidget {
    Q_OBJECT

public:
    explicit NavigationBar(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    [[nodiscard]] QString title() const;
    void setBackVisible(bool visible);
    void setCancelVisible(bool visible);
    // Shows `action` (not owned; may be null) as a tool button in the right-hand slot; its text
    // is the button's accessible name, which keeps icon-only actions named.
    void setRightAction(QAction* action);
    [[nodiscard]] QAction* rightAction() const;

    [[nodiscard]] QToolButton* backButton() const { return m_back; }
    [[nodiscard]] QToolButton* cancelButton() const { return m_cancel; }
    [[nodiscard]] QToolButton* rightButton() const { return m_right; }

    [[nodiscard]] QSize sizeHint() const override;

Q_SIGNALS:
    void backClicked();
    void cancelClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyTint();
    void updateRightButton();
    void layOut();

    QToolButton* m_back;
    QLabel* m_title;
    QToolButton* m_right;
    QToolButton* m_cancel;
    QPointer<QAction> m_rightAction;
    QString m_fullTitle;
};

}  // namespace pathloom
