#include "taskscreens/ORKContinueButton.h"

#include "platform/SystemPalette.h"
#include "platform/Theme.h"
#include "run/ThemeColors.h"

namespace pathloom {

namespace {

constexpr int kHeight = 50;
constexpr int kMinimumWidth = 150;

}  // namespace

ORKContinueButton::ORKContinueButton(const QString& text, QWidget* parent)
    : ORKBorderedButton(text, parent) {}

ORKContinueButton::Colors ORKContinueButton::colors() const {
    if (!isEnabled()) {
        return {SystemPalette::color(SystemPalette::Role::systemGray5), Qt::transparent,
                SystemPalette::color(SystemPalette::Role::systemGray)};
    }
    const QColor tint = Theme::tint(*this);
    // The title keeps the tint's colour while pressed, so that it does not flicker on a tint
    // near the luminance boundary.
    return {isPressed() ? tint.darker(125) : tint, Qt::transparent,
            ThemeColors::buttonTitleColor(tint)};
}

QSize ORKContinueButton::sizeHint() const {
    const QSize hint = ORKBorderedButton::sizeHint();
    return {std::max(hint.width(), kMinimumWidth), std::max(hint.height(), kHeight)};
}

}  // namespace pathloom
