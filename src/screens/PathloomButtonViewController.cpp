#include "screens/PathloomButtonViewController.h"

#include "screens/LoadingStateView.h"
#include "taskscreens/ORKBodyLabel.h"
#include "taskscreens/ORKContinueButton.h"
#include "taskscreens/ORKTitleLabel.h"

#include <QGridLayout>
#include <QScrollArea>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kMargin = 16;
constexpr int kTitleHeight = 45;
constexpr int kButtonHeight = 50;
constexpr int kButtonTop = 24;

}  // namespace

PathloomButtonViewController::PathloomButtonViewController(std::shared_ptr<ORKStep> step,
                                                           ORKTaskViewController& task,
                                                           QWidget* parent)
    : ORKStepViewController(std::move(step), task, parent) {
    hideNavigationFooterView();
}

void PathloomButtonViewController::configureWithTitle(const QString& title, const QString& body,
                                                      const QString& buttonTitle,
                                                      std::function<void()> action) {
    m_action = std::move(action);

    auto* labels = new QWidget;
    auto* labelsColumn = new QVBoxLayout(labels);
    labelsColumn->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    labelsColumn->setSpacing(kMargin);
    m_titleLabel = new ORKTitleLabel(title);
    // At least the title's height; a long title wraps onto more lines rather than being cut.
    m_titleLabel->setMinimumHeight(kTitleHeight);
    m_bodyLabel = new ORKBodyLabel(body);
    labelsColumn->addWidget(m_titleLabel);
    labelsColumn->addWidget(m_bodyLabel);
    labelsColumn->addStretch();
    auto* scrollArea = new QScrollArea;
    scrollArea->setWidget(labels);
    scrollArea->setWidgetResizable(true);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setFocusPolicy(Qt::NoFocus);

    m_loadingView = new LoadingStateView;
    // It hides what is under it, in the screen's own background.
    m_loadingView->setAutoFillBackground(true);
    m_loadingView->hide();

    m_buttonsRow = new QWidget;
    m_buttonsRow->setFixedHeight(kButtonsRowHeight);
    auto* rowLayout = new QVBoxLayout(m_buttonsRow);
    rowLayout->setContentsMargins(kMargin, kButtonTop, kMargin, 0);
    m_button = new ORKContinueButton(buttonTitle);
    m_button->setObjectName(u"stepButton"_s);
    m_button->setFixedHeight(kButtonHeight);
    rowLayout->addWidget(m_button);
    rowLayout->addStretch();
    connect(m_button, &QAbstractButton::clicked, this, [this] { buttonAction(); });

    auto* page = new QWidget;
    auto* pageLayout = new QGridLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    pageLayout->addWidget(scrollArea, 0, 0);
    // Added after the labels, so that it lies over them.
    pageLayout->addWidget(m_loadingView, 0, 0);
    pageLayout->addWidget(m_buttonsRow, 1, 0);
    pageLayout->setRowStretch(0, 1);
    setContentWidget(page);
    updateTabOrder();
}

void PathloomButtonViewController::buttonAction() {
    if (m_action) {
        m_action();
    }
}

}  // namespace pathloom
