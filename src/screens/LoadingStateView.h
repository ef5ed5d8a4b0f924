#pragma once

#include <QWidget>

namespace pathloom {

class ActivitySpinner;

// Fills a table screen while its content loads: a large spinner, running from the start,
// centred in the view.
class LoadingStateView : public QWidget {
    Q_OBJECT

public:
    explicit LoadingStateView(QWidget* parent = nullptr);

    [[nodiscard]] ActivitySpinner* activityIndicator() const { return m_activityIndicator; }

private:
    ActivitySpinner* m_activityIndicator;
};

}  // namespace pathloom
