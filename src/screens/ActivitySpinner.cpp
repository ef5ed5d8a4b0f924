#include "screens/ActivitySpinner.h"

#include "platform/SystemPalette.h"

#include <QPainter>
#include <QtMath>

namespace pathloom {

namespace {

constexpr int kSpokes = 8;
constexpr int kStepMilliseconds = 100;
// The faintest spoke keeps this share of the colour, so that the wheel reads as a wheel.
constexpr qreal kTrailAlpha = 0.15;

}  // namespace

ActivitySpinner::ActivitySpinner(QWidget* parent)
    : QWidget(parent), m_color(SystemPalette::color(SystemPalette::Role::systemGray)) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_timer.setInterval(kStepMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_leadingSpoke = (m_leadingSpoke + 1) % kSpokes;
        update();
    });
}

void ActivitySpinner::start() {
    m_timer.start();
    update();
}

void ActivitySpinner::stop() {
    m_timer.stop();
    update();
}

void ActivitySpinner::setColor(const QColor& color) {
    m_color = color;
    update();
}

QSize ActivitySpinner::sizeHint() const { return QSize(kLargeSize, kLargeSize); }

void ActivitySpinner::paintEvent(QPaintEvent* /*event*/) {
    if (!isAnimating()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height());
    const qreal outer = side / 2;
    const qreal inner = outer * 0.45;
    QPen pen(m_color);
    pen.setWidthF(qMax<qreal>(2, side / 12));
    pen.setCapStyle(Qt::RoundCap);
    painter.translate(width() / 2.0, height() / 2.0);
    for (int spoke = 0; spoke < kSpokes; ++spoke) {
        // Spokes fade behind the leading one, clockwise.
        const int age = (m_leadingSpoke - spoke + kSpokes) % kSpokes;
        QColor color = pen.color();
        color.setAlphaF(m_color.alphaF() * (1 - (1 - kTrailAlpha) * age / (kSpokes - 1)));
        QPen spokePen = pen;
        spokePen.setColor(color);
        painter.setPen(spokePen);
        const qreal angle = 2 * M_PI * spoke / kSpokes;
        const qreal margin = pen.widthF() / 2;
        painter.drawLine(QPointF(qSin(angle) * inner, -qCos(angle) * inner),
                         QPointF(qSin(angle) * (outer - margin), -qCos(angle) * (outer - margin)));
    }
}

}  // namespace pathloom
