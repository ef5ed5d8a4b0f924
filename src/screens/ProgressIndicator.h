#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "screens/ActivitySpinner.h"

namespace pathloom {

// A small rounded box with a running spinner, centred over a screen while the app waits for a
// server. show() and hide() may be called from any thread and return at once: the work runs
// later on the main thread, in the order asked, and is dropped if the indicator is gone by then.
// The box belongs to its host and follows the host's size; it goes when hidden, when the host
// goes, or when the indicator goes.
class ProgressIndicator : public QObject {
    Q_OBJECT

public:
    static constexpr int kBoxSide = 80;
    static constexpr int kCornerRadius = 10;
    static constexpr int kSpinnerSide = 40;

    ProgressIndicator();
    ~ProgressIndicator() override;

    // Replaces any box shown so far with a fresh one centred in `host`.
    void show(QWidget* host);
    // Stops the spinner and removes the box; nothing happens when none is shown.
    void hide();

    // The box ("progressIndicator") while it is shown, else null.
    [[nodiscard]] QWidget* loadingView() const { return m_loadingView; }
    [[nodiscard]] ActivitySpinner* activityIndicator() const { return m_activityIndicator; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build(QWidget& host);
    void remove();
    void centre();

    QPointer<QWidget> m_loadingView;
    QPointer<ActivitySpinner> m_activityIndicator;
};

}  // namespace pathloom
