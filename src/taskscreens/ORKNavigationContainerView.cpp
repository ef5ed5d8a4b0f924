#include "taskscreens/ORKNavigationContainerView.h"

#include "platform/SystemPalette.h"
#include "taskscreens/ORKBorderedButton.h"
#include "taskscreens/ORKContinueButton.h"

#include <QAction>
#include <QPainter>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kMargin = 16;
constexpr int kSpacing = 8;

}  // namespace

ORKNavigationContainerView::ORKNavigationContainerView(QWidget* parent)
    : QWidget(parent),
      m_skip(new ORKBorderedButton(QString(), this)),
      m_continue(new ORKContinueButton(QString(), this)) {
    m_skip->setObjectName(u"skipButton"_s);
    m_continue->setObjectName(u"continueButton"_s);
    // Reading order puts the way on first; Skip is the lesser choice below it.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kSpacing);
    layout->addWidget(m_continue);
    layout->addWidget(m_skip);
    m_skip->hide();
    m_continue->hide();
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ORKNavigationContainerView::setContinueAction(QAction* action) {
    follow(m_continue, m_continueAction, action);
}

void ORKNavigationContainerView::setSkipAction(QAction* action) {
    follow(m_skip, m_skipAction, action);
}

void ORKNavigationContainerView::follow(QPushButton* button, QPointer<QAction>& current,
                                        QAction* action) {
    if (current) {
        QObject::disconnect(current, nullptr, button, nullptr);
        QObject::disconnect(button, nullptr, current, nullptr);
    }
    current = action;
    if (action) {
        QObject::connect(action, &QAction::changed, button,
                         [button, action] { update(button, action); });
        QObject::connect(action, &QObject::destroyed, button,
                         [button] { update(button, nullptr); });
        QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    }
    update(button, action);
}

void ORKNavigationContainerView::update(QPushButton* button, const QAction* action) {
    if (!action) {
        button->hide();
        return;
    }
    button->setText(action->text());
    button->setEnabled(action->isEnabled());
    button->setVisible(action->isVisible());
    button->updateGeometry();
}

void ORKNavigationContainerView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(SystemPalette::color(SystemPalette::Role::separator));
    painter.drawLine(0, 0, width(), 0);
}

}  // namespace pathloom
