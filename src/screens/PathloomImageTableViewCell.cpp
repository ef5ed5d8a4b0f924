#include "screens/PathloomImageTableViewCell.h"

#include "platform/SymbolCatalogue.h"
#include "platform/SystemPalette.h"
#include "platform/TextStyles.h"
#include "screens/TableCellStyle.h"

#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kCornerRadius = 10;

// A symbol as tall as large-title text.
QSize symbolSize() {
    const int side = QFontMetrics(TextStyles::font(TextStyles::Style::largeTitle)).height();
    return {side, side};
}

}  // namespace

PathloomImageTableViewCell::PathloomImageTableViewCell(const SymbolCatalogue& symbols,
                                                       QWidget* parent)
    : QWidget(parent), m_symbols(symbols), m_button(new QPushButton(this)) {
    setObjectName(u"imageCell"_s);
    setAccessibleName(u"Picture"_s);
    TableCellStyle::paintCellBackground(*this);
    m_button->setObjectName(u"cellButton"_s);
    m_button->setFlat(true);
    m_button->setStyleSheet(u"QPushButton { border: none; background: transparent; }"_s);
    m_button->setIconSize(symbolSize());
    m_button->setEnabled(false);
    connect(m_button, &QPushButton::clicked, this, [this] { Q_EMIT tapped(this); });
    updateButton();
}

void PathloomImageTableViewCell::configure(const TableRow& row) {
    m_button->setEnabled(row.buttonEnabled);
    if (row.clearsPicture) {
        setBackgroundImage(std::nullopt);
    }
}

void PathloomImageTableViewCell::setBackgroundImage(std::optional<QImage> image) {
    m_image = std::move(image);
    updateButton();
    update();
}

int PathloomImageTableViewCell::heightForWidth(int width) const {
    return static_cast<int>((width - 2 * kMargin) * kAspect) + 2 * kMargin;
}

QSize PathloomImageTableViewCell::sizeHint() const {
    constexpr int kWidth = 320;
    return {kWidth, heightForWidth(kWidth)};
}

std::optional<QString> PathloomImageTableViewCell::buttonSymbol() const {
    return m_image ? std::nullopt : std::optional(u"photo"_s);
}

void PathloomImageTableViewCell::updateButton() {
    const std::optional<QString> symbol = buttonSymbol();
    m_button->setIcon(symbol ? m_symbols.icon(*symbol, symbolSize(),
                                              SystemPalette::color(SystemPalette::Role::systemGray))
                             : QIcon());
    m_button->setAccessibleName(symbol.value_or(QString()));
}

void PathloomImageTableViewCell::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect area = pictureRect();
    QPainterPath clip;
    clip.addRoundedRect(area, kCornerRadius, kCornerRadius);
    painter.setClipPath(clip);
    painter.fillRect(area, SystemPalette::color(SystemPalette::Role::systemFill));
    if (m_image && !m_image->isNull()) {
        // Scaled to fill: the picture covers the area and what overflows is cut off.
        const QSize filled = m_image->size().scaled(area.size(), Qt::KeepAspectRatioByExpanding);
        const QRect target(area.center() - QPoint(filled.width() / 2, filled.height() / 2), filled);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, *m_image);
    }
}

void PathloomImageTableViewCell::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_button->setGeometry(pictureRect());
}

QRect PathloomImageTableViewCell::pictureRect() const {
    const int width = this->width() - 2 * kMargin;
    return {kMargin, kMargin, width, static_cast<int>(width * kAspect)};
}

}  // namespace pathloom
