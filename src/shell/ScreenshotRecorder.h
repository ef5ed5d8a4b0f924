#pragma once

#include <QDir>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace pathloom {

class ScreenJournal;

// Writes one PNG of the window per screen change the journal records (a screen shown, a step
// entered, an alert, a menu, the mail composer, a presentation or dismissal), named
// "NN-<event>[-<detail>].png", once the change has been laid out and painted. Open dialogs (alerts,
// the composer) are drawn over the window where they stand.
class ScreenshotRecorder : public QObject {
    Q_OBJECT

public:
    // How long after a change its picture is taken: whoever drives the screens and wants each
    // change in a picture of its own waits longer than this between changes.
    static constexpr int kSettleMilliseconds = 150;

    ScreenshotRecorder(QWidget& window, ScreenJournal& journal, QDir folder,
                       QObject* parent = nullptr);

    // The window as it is now, with its open dialogs.
    [[nodiscard]] static QImage capture(QWidget& window);

private:
    void take(const QString& name);

    QPointer<QWidget> m_window;
    QDir m_folder;
    int m_count = 0;
};

}  // namespace pathloom
