#pragma once

#include <QWidget>

namespace pathloom {

// The sign that a task is complete: a tick in a circle, drawn in the tint.
class ORKCompletionCheckmarkView : public QWidget {
    Q_OBJECT

public:
    explicit ORKCompletionCheckmarkView(QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
};

}  // namespace pathloom
