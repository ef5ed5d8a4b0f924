#include "taskscreens/NavigationItem.h"

#include <QAction>

namespace pathloom {

NavigationItem::NavigationItem(QObject* parent) : QObject(parent) {}

void NavigationItem::setTitle(const QString& title) {
    if (title == m_title) {
        return;
    }
    m_title = title;
    Q_EMIT changed();
}

void NavigationItem::setRightAction(QAction* action) {
    if (action == m_rightAction) {
        return;
    }
    if (m_rightAction) {
        disconnect(m_rightAction, nullptr, this, nullptr);
    }
    m_rightAction = action;
    if (action) {
        connect(action, &QObject::destroyed, this, &NavigationItem::changed);
    }
    Q_EMIT changed();
}

}  // namespace pathloom
