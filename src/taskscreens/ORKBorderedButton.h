#pragma once

#include <QColor>
#include <QPushButton>

namespace pathloom {

// A push button outlined in the tint with its title in the tint; pressed, it fills with the tint.
// It draws with the tint of its palette at paint time, so a tint change restyles it at once.
class ORKBorderedButton : public QPushButton {
    Q_OBJECT

public:
    explicit ORKBorderedButton(const QString& text = {}, QWidget* parent = nullptr);

    // The colours of the current state, as drawn.
    struct Colors {
        QColor background;
        QColor border;
        QColor title;
    };
    [[nodiscard]] virtual Colors colors() const;

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

    [[nodiscard]] bool isPressed() const { return isDown() || isChecked(); }
};

}  // namespace pathloom
