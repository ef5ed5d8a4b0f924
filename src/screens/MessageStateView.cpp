#include "screens/MessageStateView.h"

#include "platform/TextStyles.h"

#include <QLabel>
#include <QVBoxLayout>

namespace pathloom {

namespace {

using namespace Qt::StringLiterals;

// The least room kept between the message and each edge of the view.
constexpr int kSystemSpacing = 8;

}  // namespace

MessageStateView::MessageStateView(const QString& message, QWidget* parent)
    : QWidget(parent), m_messageLabel(new QLabel(message, this)) {
    m_messageLabel->setObjectName(u"messageLabel"_s);
    m_messageLabel->setFont(TextStyles::font(TextStyles::Style::body));
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setAlignment(Qt::AlignCenter);
    m_messageLabel->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kSystemSpacing, kSystemSpacing, kSystemSpacing, kSystemSpacing);
    layout->addWidget(m_messageLabel);
}

}  // namespace pathloom
