#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace pathloom {

class ActivitySpinner;

// Fetches a table's content again on the user's word, the desktop's pull to refresh: a slim
// "Refresh" row above the rows, or F5 / Ctrl+R while the screen shows. While a fetch it started
// runs, the row shows a spinner instead. The screen hides the control while its loading view
// covers an empty table.
class RefreshControl : public QWidget {
    Q_OBJECT

public:
    // `screen` receives the keyboard shortcuts.
    explicit RefreshControl(QWidget& screen, QWidget* parent = nullptr);

    [[nodiscard]] bool isRefreshing() const { return m_refreshing; }
    void beginRefreshing();
    void endRefreshing();

Q_SIGNALS:
    // The user asked for the content again; the control now shows that it is refreshing.
    void valueChanged();

private:
    void refresh();

    QToolButton* m_button;
    ActivitySpinner* m_spinner;
    QLabel* m_label;
    bool m_refreshing = false;
};

}  // namespace pathloom
