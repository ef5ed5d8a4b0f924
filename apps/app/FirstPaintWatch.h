#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace pathloom {

class PathloomRootViewController;

// Reports, on the event-loop pass after it, the first paint of the style screen the root presents
// after its load, with status 0; or status 1 once the root paints its hint instead, because the
// load failed or there was nothing to load. For start-up timings.
//
// Main thread only; the root outlives the watch.
class FirstPaintWatch : public QObject {
    Q_OBJECT

public:
    FirstPaintWatch(PathloomRootViewController& root, std::function<void(int status)> done);
    ~FirstPaintWatch() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] static bool isWithin(const QWidget* widget, const QWidget* screen);
    void shown();
    void finish(int status);

    PathloomRootViewController& m_root;
    std::function<void(int)> m_done;
    // The screen presented last, and whether it (or a widget on it) has painted: the style screen
    // may paint before the root says it is shown.
    QPointer<QWidget> m_presented;
    bool m_presentedPainted = false;
    // Set once the root has shown its app: the screen whose first paint ends the watch.
    QPointer<QWidget> m_styleScreen;
    bool m_finished = false;
};

}  // namespace pathloom
