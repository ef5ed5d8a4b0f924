#include "screens/CustomButton.h"

#include "platform/SystemPalette.h"
#include "platform/TextStyles.h"
#include "platform/Theme.h"

#include <QEvent>
#include <QPainter>

namespace pathloom {

namespace {

// Used when the headline style is not given in pixels.
constexpr int kFallbackTitlePixelSize = 18;

QFont titleFont() {
    QFont font = TextStyles::font(TextStyles::Style::headline);
    const int headline = font.pixelSize();
    font.setPixelSize(headline > 0 ? headline + 1 : kFallbackTitlePixelSize);
    font.setBold(true);
    return font;
}

}  // namespace

CustomButton::CustomButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void CustomButton::configure(ButtonStyle style) {
    m_colors = ButtonColors::forStyle(style, Theme::tint(*this),
                                      SystemPalette::color(SystemPalette::Role::systemRed));
    m_style = style;
    setFont(titleFont());
    update();
}

ButtonColors::State CustomButton::currentState() const {
    if (!isEnabled()) {
        return ButtonColors::State::disabled;
    }
    return isDown() || isChecked() ? ButtonColors::State::highlighted : ButtonColors::State::normal;
}

ButtonColors::Look CustomButton::currentLook() const {
    if (!m_colors) {
        return {palette().color(QPalette::ButtonText), QColor(Qt::transparent),
                QColor(Qt::transparent)};
    }
    return m_colors->look(currentState());
}

void CustomButton::paintEvent(QPaintEvent* event) {
    if (!m_colors) {
        QPushButton::paintEvent(event);
        return;
    }
    const ButtonColors::Look look = currentLook();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The border is drawn on the half-pixel grid so that its one pixel lies inside the widget.
    const qreal inset = kBorderWidth / 2.0;
    const QRectF frame = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    painter.setPen(QPen(look.border, kBorderWidth));
    painter.setBrush(look.background);
    painter.drawRoundedRect(frame, kCornerRadius, kCornerRadius);
    painter.setPen(look.title);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}

void CustomButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_style) {
        configure(*m_style);
    } else if (event->type() == QEvent::EnabledChange) {
        update();
    }
}

}  // namespace pathloom
