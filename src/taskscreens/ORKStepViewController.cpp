#include "taskscreens/ORKStepViewController.h"

#include "taskscreens/ORKBodyLabel.h"
#include "taskscreens/ORKTitleLabel.h"

#include "run/WorkflowRunner.h"
#include "taskmodel/ORKStep.h"
#include "taskscreens/ORKNavigationContainerView.h"
#include "taskscreens/ORKTaskViewController.h"

#include <QAction>
#include <QScrollArea>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kContentMargin = 20;
constexpr int kContentSpacing = 12;

}  // namespace

ORKStepViewController::ORKStepViewController(std::shared_ptr<ORKStep> step,
                                             ORKTaskViewController& task, QWidget* parent)
    : QWidget(parent),
      m_step(std::move(step)),
      m_task(task),
      m_continueItem(new QAction(tr("Next"), this)),
      m_skipItem(new QAction(tr("Skip"), this)),
      m_layout(new QVBoxLayout(this)),
      m_contentLayout(new QVBoxLayout) {
    m_navigationItem.setTitle(m_step->title.value_or(QString()));
    m_skipItem->setVisible(false);
    connect(m_continueItem, &QAction::triggered, this, [this] {
        requestMove(Move::leave, ORKStepViewControllerNavigationDirection::forward);
    });
    connect(m_skipItem, &QAction::triggered, this,
            [this] { requestMove(Move::skip, ORKStepViewControllerNavigationDirection::forward); });

    auto* content = new QWidget;
    auto* contentColumn = new QVBoxLayout(content);
    contentColumn->setContentsMargins(kContentMargin, kContentMargin, kContentMargin,
                                      kContentMargin);
    m_contentLayout->setSpacing(kContentSpacing);
    contentColumn->addLayout(m_contentLayout, 1);
    m_contentStretch = new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding);
    contentColumn->addItem(m_contentStretch);
    auto* scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(u"stepContent"_s);
    scrollArea->setWidget(content);
    scrollArea->setWidgetResizable(true);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The content is read, not operated: Tab goes from control to control, not to the area.
    scrollArea->setFocusPolicy(Qt::NoFocus);

    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_contentArea = scrollArea;
    m_layout->addWidget(m_contentArea, 1);
    m_footer = new ORKNavigationContainerView(this);
    m_layout->addWidget(m_footer);
    m_footer->setContinueAction(m_continueItem);
    m_footer->setSkipAction(m_skipItem);
}

std::shared_ptr<const ORKStepResult> ORKStepViewController::result() const {
    return isCurrent() ? m_task.runner()->currentStepResult() : nullptr;
}

void ORKStepViewController::addResult(std::shared_ptr<ORKResult> result) {
    if (isCurrent()) {
        m_task.runner()->addResult(std::move(result));
    }
}

void ORKStepViewController::goForward() {
    requestMove(Move::leave, ORKStepViewControllerNavigationDirection::forward);
}

void ORKStepViewController::goBackward() {
    requestMove(Move::leave, ORKStepViewControllerNavigationDirection::reverse);
}

void ORKStepViewController::setNavigationFooterView(ORKNavigationContainerView* footer) {
    if (!footer || footer == m_footer) {
        return;
    }
    // The layout hands back the item it no longer holds.
    delete m_layout->replaceWidget(m_footer, footer);
    m_footer->hide();
    m_footer->deleteLater();
    m_footer = footer;
    m_footer->setContinueAction(m_continueItem);
    m_footer->setSkipAction(m_skipItem);
    m_footer->setVisible(!m_footerHidden);
    updateTabOrder();
    Q_EMIT navigationChanged();
}

void ORKStepViewController::hideNavigationFooterView() {
    m_footerHidden = true;
    m_footer->hide();
    Q_EMIT navigationChanged();
}

void ORKStepViewController::disableButtonItemNavigation() {
    m_navigationDisabled = true;
    Q_EMIT navigationChanged();
}

void ORKStepViewController::fillContentHeight() {
    if (m_contentStretch != nullptr) {
        m_contentStretch->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
        m_contentStretch->invalidate();
        m_contentLayout->invalidate();
    }
}

void ORKStepViewController::setContentWidget(QWidget* content) {
    if (!content || content == m_contentArea) {
        return;
    }
    delete m_layout->replaceWidget(m_contentArea, content);
    // A layout shows a widget added to a shown parent only on a later pass; the content is the
    // screen's now.
    content->show();
    m_layout->setStretchFactor(content, 1);
    m_contentArea->hide();
    m_contentArea->deleteLater();
    m_contentArea = content;
    m_contentLayout = nullptr;
    m_contentStretch = nullptr;
}

void ORKStepViewController::updateTabOrder() {
    QWidget* lastContent = nullptr;
    QList<QWidget*> footer;
    for (QWidget* widget = nextInFocusChain(); widget != this;
         widget = widget->nextInFocusChain()) {
        if (widget == m_footer || m_footer->isAncestorOf(widget)) {
            footer.append(widget);
        } else if (isAncestorOf(widget)) {
            lastContent = widget;
        }
    }
    for (QWidget* widget : std::as_const(footer)) {
        if (lastContent) {
            setTabOrder(lastContent, widget);
        }
        lastContent = widget;
    }
}

void ORKStepViewController::prepareToLeave(ORKStepViewControllerNavigationDirection direction) {
    if (std::exchange(m_pendingMove, Move::none) != Move::skip) {
        willLeave(direction);
    }
}

void ORKStepViewController::willLeave(ORKStepViewControllerNavigationDirection) {}

void ORKStepViewController::addTitleAndText() {
    if (m_step->title) {
        m_contentLayout->addWidget(new ORKTitleLabel(*m_step->title));
    }
    if (m_step->text) {
        m_contentLayout->addWidget(new ORKBodyLabel(*m_step->text));
    }
}

std::shared_ptr<const ORKStepResult> ORKStepViewController::previousResult() const {
    return m_task.runner() ? m_task.runner()->lastResult(m_step->identifier) : nullptr;
}

bool ORKStepViewController::isCurrent() const {
    return m_task.currentStepViewController() == this && m_task.runner() &&
           !m_task.runner()->isFinished();
}

void ORKStepViewController::requestMove(Move move,
                                        ORKStepViewControllerNavigationDirection direction) {
    if (!isCurrent() || m_pendingMove != Move::none) {
        return;
    }
    WorkflowRunner& runner = *m_task.runner();
    if (direction == ORKStepViewControllerNavigationDirection::reverse) {
        if (!runner.hasPreviousStep()) {
            return;
        }
        m_pendingMove = move;
        runner.goBackward();
    } else {
        m_pendingMove = move;
        runner.goForward();
    }
}

}  // namespace pathloom
