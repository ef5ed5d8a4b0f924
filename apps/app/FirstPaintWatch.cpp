#include "FirstPaintWatch.h"

#include "shell/PathloomRootViewController.h"
#include "shell/PresentationStack.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace pathloom {

FirstPaintWatch::FirstPaintWatch(PathloomRootViewController& root,
                                 std::function<void(int status)> done)
    : m_root(root), m_done(std::move(done)) {
    connect(&root.stack(), &PresentationStack::presented, this, [this](QWidget* screen) {
        m_presented = screen;
        m_presentedPainted = false;
    });
    connect(&root, &PathloomRootViewController::configurationShown, this, &FirstPaintWatch::shown);
    connect(&root, &PathloomRootViewController::loadFailed, this, [this] { finish(1); });
    // Paint events go to the widgets that need painting, which need not include the screen itself
    // (opaque children covering it take its share): every widget of the application is watched.
    qApp->installEventFilter(this);
}

FirstPaintWatch::~FirstPaintWatch() { qApp->removeEventFilter(this); }

bool FirstPaintWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || m_finished || !watched->isWidgetType()) {
        return false;
    }
    const auto* widget = static_cast<const QWidget*>(watched);
    if (m_styleScreen && isWithin(widget, m_styleScreen)) {
        finish(0);
    } else if (m_presented && isWithin(widget, m_presented)) {
        m_presentedPainted = true;
    } else if (m_root.isHintVisible() && isWithin(widget, &m_root)) {
        finish(1);
    }
    return false;
}

bool FirstPaintWatch::isWithin(const QWidget* widget, const QWidget* screen) {
    return widget == screen || screen->isAncestorOf(widget);
}

void FirstPaintWatch::shown() {
    QWidget* top = m_root.stack().topScreen();
    if (top == m_presented && m_presentedPainted) {
        finish(0);
        return;
    }
    m_styleScreen = top;
}

void FirstPaintWatch::finish(int status) {
    if (std::exchange(m_finished, true)) {
        return;
    }
    qApp->removeEventFilter(this);
    // The paint lands in the window's backing store only as this pass of the event loop ends.
    QTimer::singleShot(0, this, [this, status] { m_done(status); });
}

}  // namespace pathloom
