#include "taskscreens/ORKCompletionCheckmarkView.h"

#include "platform/Theme.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace pathloom {

namespace {

constexpr int kDiameter = 80;
constexpr qreal kLineWidth = 4;

}  // namespace

ORKCompletionCheckmarkView::ORKCompletionCheckmarkView(QWidget* parent) : QWidget(parent) {
    setFixedSize(kDiameter, kDiameter);
    setAccessibleName(tr("Completed"));
}

QSize ORKCompletionCheckmarkView::sizeHint() const { return {kDiameter, kDiameter}; }

void ORKCompletionCheckmarkView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(
        QPen(Theme::tint(*this), kLineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal inset = kLineWidth / 2;
    const QRectF circle = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    painter.drawEllipse(circle);

    // The tick in the unit square of the circle's box.
    const auto at = [&](qreal x, qreal y) {
        return QPointF(circle.left() + x * circle.width(), circle.top() + y * circle.height());
    };
    QPainterPath tick;
    tick.moveTo(at(0.28, 0.52));
    tick.lineTo(at(0.44, 0.68));
    tick.lineTo(at(0.73, 0.36));
    painter.drawPath(tick);
}

void ORKCompletionCheckmarkView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        update();
    }
}

}  // namespace pathloom
