#include "screens/RefreshControl.h"

#include "screens/ActivitySpinner.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QToolButton>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kSpinnerSide = 18;

}  // namespace

RefreshControl::RefreshControl(QWidget& screen, QWidget* parent)
    : QWidget(parent),
      m_button(new QToolButton),
      m_spinner(new ActivitySpinner),
      m_label(new QLabel(u"Refreshing\u2026"_s)) {
    setObjectName(u"refreshControl"_s);
    m_button->setObjectName(u"refreshButton"_s);
    m_button->setText(u"Refresh"_s);
    m_button->setAutoRaise(true);
    // A link in the tint, as the bar's buttons are.
    m_button->setStyleSheet(u"QToolButton { color: palette(highlight); border: none; }"_s);
    m_button->setToolTip(u"Refresh (F5)"_s);
    m_spinner->setFixedSize(kSpinnerSide, kSpinnerSide);
    m_spinner->hide();
    m_label->hide();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 2, 16, 2);
    layout->addStretch();
    layout->addWidget(m_spinner);
    layout->addWidget(m_label);
    layout->addWidget(m_button);
    connect(m_button, &QToolButton::clicked, this, &RefreshControl::refresh);
    auto* shortcut = new QAction(this);
    shortcut->setShortcuts({QKeySequence::Refresh, QKeySequence(Qt::CTRL | Qt::Key_R)});
    shortcut->setShortcutContext(Qt::WindowShortcut);
    screen.addAction(shortcut);
    connect(shortcut, &QAction::triggered, this, [this] {
        if (isVisible()) {
            refresh();
        }
    });
}

void RefreshControl::beginRefreshing() {
    m_refreshing = true;
    m_button->hide();
    m_label->show();
    m_spinner->show();
    m_spinner->start();
}

void RefreshControl::endRefreshing() {
    m_refreshing = false;
    m_spinner->stop();
    m_spinner->hide();
    m_label->hide();
    m_button->show();
}

void RefreshControl::refresh() {
    if (m_refreshing) {
        return;
    }
    beginRefreshing();
    Q_EMIT valueChanged();
}

}  // namespace pathloom
