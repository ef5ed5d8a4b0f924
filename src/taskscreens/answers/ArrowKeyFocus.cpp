#include "taskscreens/answers/ArrowKeyFocus.h"

#include <QKeyEvent>

namespace pathloom {

void ArrowKeyFocus::add(QWidget* control) {
    m_controls.append(control);
    control->installEventFilter(this);
}

bool ArrowKeyFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    int step = 0;
    if (key == Qt::Key_Up || key == Qt::Key_Left) {
        step = -1;
    } else if (key == Qt::Key_Down || key == Qt::Key_Right) {
        step = 1;
    } else {
        return false;
    }
    const qsizetype at = m_controls.indexOf(qobject_cast<QWidget*>(watched));
    const qsizetype next = at + step;
    if (at < 0 || next < 0 || next >= m_controls.size() || !m_controls[next]) {
        return true;
    }
    m_controls[next]->setFocus(Qt::TabFocusReason);
    return true;
}

}  // namespace pathloom
