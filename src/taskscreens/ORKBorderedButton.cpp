#include "taskscreens/ORKBorderedButton.h"

#include "platform/SystemPalette.h"
#include "platform/TextStyles.h"
#include "platform/Theme.h"
#include "run/ThemeColors.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace pathloom {

namespace {

constexpr int kMinimumHeight = 44;
constexpr int kHorizontalPadding = 24;
constexpr int kVerticalPadding = 12;
constexpr qreal kRadius = 10;
constexpr qreal kFocusRingWidth = 2;

}  // namespace

ORKBorderedButton::ORKBorderedButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent) {
    setFont(TextStyles::font(TextStyles::Style::headline));
    // Outside a dialog a push button ignores Return unless told otherwise; a keyboard user presses
    // the focused button with Return as with Space.
    setAutoDefault(true);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
}

ORKBorderedButton::Colors ORKBorderedButton::colors() const {
    const QColor tint = Theme::tint(*this);
    if (!isEnabled()) {
        const QColor grey = SystemPalette::color(SystemPalette::Role::systemGray2);
        return {Qt::transparent, grey, grey};
    }
    if (isPressed()) {
        return {tint, tint, ThemeColors::buttonTitleColor(tint)};
    }
    return {Qt::transparent, tint, tint};
}

QSize ORKBorderedButton::sizeHint() const {
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(text()) + 2 * kHorizontalPadding;
    const int height = std::max(kMinimumHeight, metrics.height() + 2 * kVerticalPadding);
    return {width, height};
}

QSize ORKBorderedButton::minimumSizeHint() const { return sizeHint(); }

void ORKBorderedButton::paintEvent(QPaintEvent*) {
    const Colors current = colors();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF bounds = QRectF(rect()).adjusted(kFocusRingWidth, kFocusRingWidth,
                                                  -kFocusRingWidth, -kFocusRingWidth);
    if (hasFocus()) {
        QColor ring = Theme::tint(*this);
        ring.setAlphaF(0.5);
        painter.setPen(QPen(ring, kFocusRingWidth));
        painter.setBrush(Qt::NoBrush);
        const qreal half = kFocusRingWidth / 2;
        painter.drawRoundedRect(QRectF(rect()).adjusted(half, half, -half, -half),
                                kRadius + kFocusRingWidth, kRadius + kFocusRingWidth);
    }

    QPainterPath shape;
    shape.addRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    painter.fillPath(shape, current.background);
    if (current.border.isValid() && current.border.alpha() > 0) {
        painter.setPen(QPen(current.border, 1));
        painter.drawPath(shape);
    }

    painter.setPen(current.title);
    painter.setFont(font());
    const QString title = fontMetrics().elidedText(
        text(), Qt::ElideRight, static_cast<int>(bounds.width()) - 2 * kFocusRingWidth);
    painter.drawText(bounds, Qt::AlignCenter, title);
}

void ORKBorderedButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::EnabledChange) {
        update();
    }
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
    }
}

}  // namespace pathloom
