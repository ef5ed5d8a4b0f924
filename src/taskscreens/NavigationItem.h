#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;

namespace pathloom {

// What a step screen asks of the navigation bar while it is shown: the title and one right-hand
// action. The bar follows every change.
class NavigationItem : public QObject {
    Q_OBJECT

public:
    explicit NavigationItem(QObject* parent = nullptr);

    [[nodiscard]] const QString& title() const { return m_title; }
    void setTitle(const QString& title);
    // Not owned; null when the bar shows nothing on the right (also once the action is deleted).
    [[nodiscard]] QAction* rightAction() const { return m_rightAction; }
    void setRightAction(QAction* action);

Q_SIGNALS:
    void changed();

private:
    QString m_title;
    QPointer<QAction> m_rightAction;
};

}  // namespace pathloom
