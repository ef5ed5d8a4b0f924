#include "screens/PathloomButtonTableViewCell.h"

#include "screens/CustomButton.h"
#include "screens/TableCellStyle.h"

#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kVerticalMargin = 8;
constexpr int kSideMargin = 16;

}  // namespace

PathloomButtonTableViewCell::PathloomButtonTableViewCell(QWidget* parent)
    : QWidget(parent), m_button(new CustomButton) {
    setObjectName(u"buttonCell"_s);
    TableCellStyle::paintCellBackground(*this);
    m_button->setFixedHeight(kButtonHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kSideMargin, kVerticalMargin, kSideMargin, kVerticalMargin);
    layout->addWidget(m_button);
    connect(m_button, &CustomButton::clicked, this,
            [this] { Q_EMIT buttonTapped(this, m_button); });
}

void PathloomButtonTableViewCell::configure(const TableRow& row) {
    const QString title = row.title.text.value_or(QString());
    m_button->setText(title);
    m_button->setObjectName(u"pageButton:"_s + title);
    m_button->setAccessibleName(title);
    setAccessibleName(title);
    m_button->configure(row.buttonStyle.value_or(ButtonStyle::primary));
    m_button->setEnabled(row.buttonEnabled);
}

}  // namespace pathloom
