#include "screens/PathloomSubtitleTableViewCell.h"

#include "platform/SystemPalette.h"
#include "platform/TextStyles.h"
#include "screens/TableCellStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kVerticalMargin = 10;
constexpr int kSideMargin = 16;
constexpr int kSpacing = 12;
constexpr int kInnerSide =
    PathloomSubtitleTableViewCell::kImageSide - 2 * PathloomSubtitleTableViewCell::kImageInset;

}  // namespace

PathloomSubtitleTableViewCell::PathloomSubtitleTableViewCell(QWidget* parent)
    : QWidget(parent),
      m_image(new QLabel),
      m_title(new QLabel),
      m_detail(new QLabel),
      m_chevron(new QLabel(u"\u203A"_s)) {
    setObjectName(u"subtitleCell"_s);
    setFocusPolicy(Qt::StrongFocus);
    TableCellStyle::paintCellBackground(*this);
    m_image->setObjectName(u"cellImage"_s);
    m_image->setFixedSize(kImageSide, kImageSide);
    m_image->setContentsMargins(kImageInset, kImageInset, kImageInset, kImageInset);
    m_image->setAlignment(Qt::AlignCenter);
    m_image->hide();
    m_title->setObjectName(u"cellTitle"_s);
    m_detail->setObjectName(u"cellDetail"_s);
    m_chevron->setObjectName(u"cellChevron"_s);
    m_chevron->setFont(TextStyles::font(TextStyles::Style::title));
    QPalette grey = m_chevron->palette();
    grey.setColor(QPalette::WindowText, SystemPalette::color(SystemPalette::Role::systemGray2));
    m_chevron->setPalette(grey);
    m_chevron->hide();

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(m_title);
    texts->addWidget(m_detail);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kSideMargin, kVerticalMargin, kSideMargin, kVerticalMargin);
    layout->setSpacing(kSpacing);
    layout->addWidget(m_image, 0, Qt::AlignVCenter);
    layout->addLayout(texts, 1);
    layout->addWidget(m_chevron, 0, Qt::AlignVCenter);
}

void PathloomSubtitleTableViewCell::configure(const TableRow& row) {
    TableCellStyle::apply(row.title, *m_title);
    TableCellStyle::apply(row.detail, *m_detail);
    m_chevron->setVisible(row.showsDisclosureIndicator);
    setAccessibleName(row.title.text.value_or(QString()));
}

void PathloomSubtitleTableViewCell::setPicture(const std::optional<QImage>& picture) {
    if (!picture || picture->isNull()) {
        m_image->clear();
        m_image->hide();
        return;
    }
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(picture->scaled(
        QSize(kInnerSide, kInnerSide) * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    m_image->setPixmap(pixmap);
    m_image->show();
}

}  // namespace pathloom
