#include "taskscreens/StepImageView.h"

#include <QPainter>
#include <QtMath>

namespace pathloom {

namespace {

// Tall pictures would push the text off the screen.
constexpr qreal kMaximumHeight = 280;

}  // namespace

StepImageView::StepImageView(QImage image, QWidget* parent)
    : QWidget(parent), m_image(std::move(image)) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QSizeF StepImageView::fittedSize(int width) const {
    if (m_image.isNull() || width <= 0) {
        return {};
    }
    const QSizeF natural = m_image.deviceIndependentSize();
    const qreal scale = std::min({1.0, width / natural.width(), kMaximumHeight / natural.height()});
    return natural * scale;
}

int StepImageView::heightForWidth(int width) const { return qCeil(fittedSize(width).height()); }

QSize StepImageView::sizeHint() const {
    const QSizeF natural = m_image.deviceIndependentSize();
    return fittedSize(qCeil(natural.width())).toSize();
}

QSize StepImageView::minimumSizeHint() const { return {0, 0}; }

void StepImageView::paintEvent(QPaintEvent*) {
    const QSizeF size = fittedSize(width());
    if (size.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF target(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2),
                        size);
    painter.drawImage(target, m_image);
}

}  // namespace pathloom
