#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace pathloom::bench {

// Quits the application with status 0 on the event-loop pass after `widget`, or a widget on it,
// first paints: the end of a start-up timing.
class FirstPaintQuit : public QObject {
    Q_OBJECT

public:
    explicit FirstPaintQuit(QWidget& widget);
    ~FirstPaintQuit() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_widget;
};

}  // namespace pathloom::bench
