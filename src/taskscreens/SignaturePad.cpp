#include "taskscreens/SignaturePad.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTabletEvent>
#include <QTouchEvent>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kMinimumHeight = 180;
constexpr qreal kStrokeWidth = 2.5;
constexpr int kLineInset = 24;
constexpr qreal kCornerRadius = 10;

}  // namespace

SignaturePad::SignaturePad(QWidget* parent) : QWidget(parent) {
    setObjectName(u"signaturePad"_s);
    setMinimumHeight(kMinimumHeight);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setAttribute(Qt::WA_StaticContents);
    setCursor(Qt::CrossCursor);
    setAccessibleName(u"Signature"_s);
}

void SignaturePad::clear() {
    m_strokes.clear();
    m_drawing = false;
    update();
    Q_EMIT changed();
}

QImage SignaturePad::image() const {
    QImage picture(size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    draw(painter);
    return picture;
}

void SignaturePad::draw(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, kStrokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QPainterPath& stroke : m_strokes) {
        painter.drawPath(stroke);
    }
}

void SignaturePad::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.setBrush(palette().alternateBase());
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius,
                            kCornerRadius);
    const int line = height() - kLineInset;
    painter.drawLine(kLineInset, line, width() - kLineInset, line);
    draw(painter);
}

void SignaturePad::begin(QPointF at) {
    QPainterPath stroke(at);
    // A dot is a stroke too.
    stroke.lineTo(at + QPointF(0.1, 0.1));
    m_strokes.append(stroke);
    m_drawing = true;
    update();
}

void SignaturePad::extend(QPointF at) {
    if (!m_drawing || m_strokes.isEmpty()) {
        return;
    }
    m_strokes.last().lineTo(at);
    update();
}

void SignaturePad::end() {
    if (std::exchange(m_drawing, false)) {
        Q_EMIT changed();
    }
}

void SignaturePad::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        begin(event->position());
    }
}

void SignaturePad::mouseMoveEvent(QMouseEvent* event) { extend(event->position()); }

void SignaturePad::mouseReleaseEvent(QMouseEvent*) { end(); }

void SignaturePad::tabletEvent(QTabletEvent* event) {
    switch (event->type()) {
        case QEvent::TabletPress:
            begin(event->position());
            break;
        case QEvent::TabletMove:
            extend(event->position());
            break;
        case QEvent::TabletRelease:
            end();
            break;
        default:
            return;
    }
    event->accept();
}

bool SignaturePad::event(QEvent* event) {
    auto* touch = dynamic_cast<QTouchEvent*>(event);
    if (touch == nullptr || touch->points().isEmpty()) {
        return QWidget::event(event);
    }
    const QPointF at = touch->points().first().position();
    switch (event->type()) {
        case QEvent::TouchBegin:
            begin(at);
            break;
        case QEvent::TouchUpdate:
            extend(at);
            break;
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
            end();
            break;
        default:
            return QWidget::event(event);
    }
    event->accept();
    return true;
}

}  // namespace pathloom
