#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>

namespace pathloom {

// A spinning wheel of spokes telling that something is under way; it draws nothing while
// stopped. Main thread only.
class ActivitySpinner : public QWidget {
    Q_OBJECT

public:
    // The side of the large spinner.
    static constexpr int kLargeSize = 40;

    explicit ActivitySpinner(QWidget* parent = nullptr);

    void start();
    void stop();
    [[nodiscard]] bool isAnimating() const { return m_timer.isActive(); }
    // The colour of the leading spoke; system grey unless set.
    void setColor(const QColor& color);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
    QTimer m_timer;
    int m_leadingSpoke = 0;
};

}  // namespace pathloom
