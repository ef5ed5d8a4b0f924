#pragma once

#include "screens/ButtonColors.h"
#include "steps/ButtonStyle.h"

#include <QPushButton>
#include <optional>

namespace pathloom {

// A rounded button in one of the three looks of a `ButtonStyle`, coloured from the tint it
// inherits: it styles itself anew when the tint (the palette's highlight) changes, and shows its
// pressed, checked and disabled states in the style's colours. Until it is styled it is a plain
// push button.
class CustomButton : public QPushButton {
    Q_OBJECT

public:
    static constexpr int kCornerRadius = 14;
    static constexpr int kBorderWidth = 1;

    explicit CustomButton(const QString& text = {}, QWidget* parent = nullptr);

    // Works out the style's colours from the present tint, takes the bold title font and
    // repaints in the colours of the present state.
    void configure(ButtonStyle style);

    [[nodiscard]] std::optional<ButtonStyle> currentStyle() const { return m_style; }
    [[nodiscard]] std::optional<ButtonColors> currentColors() const { return m_colors; }
    // What the button shows now: pressed or checked counts as highlighted. Without a style,
    // no fill and no border.
    [[nodiscard]] ButtonColors::State currentState() const;
    [[nodiscard]] ButtonColors::Look currentLook() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::optional<ButtonStyle> m_style;
    std::optional<ButtonColors> m_colors;
};

}  // namespace pathloom
