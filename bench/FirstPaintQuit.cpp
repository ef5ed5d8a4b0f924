#include "FirstPaintQuit.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace pathloom::bench {

FirstPaintQuit::FirstPaintQuit(QWidget& widget) : m_widget(&widget) {
    // Watched application-wide, as pathloom-app watches its screen, so that both sides pay the
    // same for the filter.
    qApp->installEventFilter(this);
}

FirstPaintQuit::~FirstPaintQuit() { qApp->removeEventFilter(this); }

bool FirstPaintQuit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || !m_widget || !watched->isWidgetType()) {
        return false;
    }
    const auto* painted = static_cast<const QWidget*>(watched);
    if (painted == m_widget || m_widget->isAncestorOf(painted)) {
        qApp->removeEventFilter(this);
        // The paint lands in the window's backing store only as this pass of the event loop ends.
        QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
    }
    return false;
}

}  // namespace pathloom::bench
