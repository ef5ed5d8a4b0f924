#include "taskscreens/ORKVideoInstructionStepViewController.h"

#include "platform/VideoPlayer.h"
#include "taskmodel/ORKVideoInstructionStep.h"

#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kTileSize(320, 180);
constexpr int kMarkSide = 48;

// A play mark (a triangle in a circle) in `color`.
QIcon playMark(const QColor& color) {
    QPixmap mark(kMarkSide, kMarkSide);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(mark.rect());
    painter.setBrush(Qt::white);
    const qreal side = kMarkSide;
    painter.drawPolygon(QPolygonF{QPointF(side * 0.38, side * 0.28),
                                  QPointF(side * 0.38, side * 0.72),
                                  QPointF(side * 0.75, side * 0.5)});
    return QIcon(mark);
}

}  // namespace

ORKVideoInstructionStepViewController::ORKVideoInstructionStepViewController(
    std::shared_ptr<ORKStep> step, ORKTaskViewController& task, QWidget* parent)
    : ORKInstructionStepViewController(step, task, parent) {
    const auto& video = static_cast<const ORKVideoInstructionStep&>(*step);
    if (!video.videoURL || !video.videoURL->isValid()) {
        return;
    }
    auto* tile = new QToolButton;
    tile->setObjectName(u"playVideo"_s);
    tile->setAccessibleName(u"Play video"_s);
    tile->setToolTip(u"Play video"_s);
    tile->setFixedSize(kTileSize);
    tile->setIconSize(QSize(kMarkSide, kMarkSide));
    tile->setIcon(playMark(palette().color(QPalette::Highlight)));
    contentLayout()->insertWidget(0, tile, 0, Qt::AlignHCenter);
    const QUrl url = *video.videoURL;
    connect(tile, &QToolButton::clicked, this, [this, url] { VideoPlayer::play(url, this); });
}

}  // namespace pathloom
