#include "taskscreens/NavigationBar.h"

#include "platform/SystemPalette.h"
#include "platform/TextStyles.h"
#include "platform/Theme.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kHeight = 44;
constexpr int kMargin = 8;
constexpr int kSpacing = 4;
constexpr int kTitleGap = 8;

QIcon chevron(const QColor& color) {
    constexpr qreal kScale = 2;
    QPixmap pixmap(QSize(12, 20) * kScale);
    pixmap.setDevicePixelRatio(kScale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath path;
    path.moveTo(9, 2);
    path.lineTo(2, 10);
    path.lineTo(9, 18);
    painter.drawPath(path);
    return QIcon(pixmap);
}

// Tool buttons ignore Return; a keyboard user expects the focused bar button to answer it, and
// unanswered it would reach the task screen and press continue instead.
class ReturnPressesButton : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* button = qobject_cast<QToolButton*>(watched);
        if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            button->click();
            return true;
        }
        return false;
    }
};

QToolButton* barButton(QWidget* parent, QObject* filter, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setFont(TextStyles::font(TextStyles::Style::body));
    button->installEventFilter(filter);
    return button;
}

}  // namespace

NavigationBar::NavigationBar(QWidget* parent) : QWidget(parent) {
    auto* filter = new ReturnPressesButton(this);
    m_back = barButton(this, filter, u"backButton"_s);
    m_back->setText(tr("Back"));
    m_back->setAccessibleName(tr("Back"));
    m_back->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back->hide();

    m_title = new QLabel(this);
    m_title->setObjectName(u"navigationTitle"_s);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setFont(TextStyles::font(TextStyles::Style::headline));

    m_right = barButton(this, filter, QString());
    m_right->hide();

    m_cancel = barButton(this, filter, u"cancelButton"_s);
    m_cancel->setText(tr("Cancel"));
    m_cancel->setAccessibleName(tr("Cancel"));
    m_cancel->hide();

    connect(m_back, &QToolButton::clicked, this, &NavigationBar::backClicked);
    connect(m_cancel, &QToolButton::clicked, this, &NavigationBar::cancelClicked);

    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window,
                        SystemPalette::color(SystemPalette::Role::secondarySystemBackground));
    setPalette(background);
    applyTint();
}

void NavigationBar::setTitle(const QString& title) {
    m_fullTitle = title;
    layOut();
}

QString NavigationBar::title() const { return m_fullTitle; }

void NavigationBar::setBackVisible(bool visible) {
    m_back->setVisible(visible);
    layOut();
}

void NavigationBar::setCancelVisible(bool visible) {
    m_cancel->setVisible(visible);
    layOut();
}

void NavigationBar::setRightAction(QAction* action) {
    if (action == m_rightAction) {
        return;
    }
    if (m_rightAction) {
        disconnect(m_rightAction, nullptr, this, nullptr);
        m_right->removeAction(m_rightAction);
    }
    m_rightAction = action;
    if (action) {
        m_right->setDefaultAction(action);
        connect(action, &QAction::changed, this, &NavigationBar::updateRightButton);
        connect(action, &QObject::destroyed, this, &NavigationBar::updateRightButton);
    }
    updateRightButton();
}

QAction* NavigationBar::rightAction() const { return m_rightAction; }

void NavigationBar::updateRightButton() {
    QAction* action = m_rightAction;
    m_right->setVisible(action && action->isVisible());
    m_right->setObjectName(action ? action->objectName() : QString());
    m_right->setAccessibleName(action ? action->text() : QString());
    m_right->setToolTip(action ? action->toolTip() : QString());
    layOut();
}

QSize NavigationBar::sizeHint() const {
    int width = 2 * kMargin + m_title->sizeHint().width() + 2 * kTitleGap;
    for (const QToolButton* button : {m_back, m_right, m_cancel}) {
        width += button->sizeHint().width() + kSpacing;
    }
    return {width, kHeight};
}

void NavigationBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(SystemPalette::color(SystemPalette::Role::separator));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}

void NavigationBar::resizeEvent(QResizeEvent*) { layOut(); }

void NavigationBar::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        applyTint();
    }
}

void NavigationBar::applyTint() {
    const QColor tint = Theme::tint(*this);
    // Bar buttons are text in the tint, as on a phone; only keyboard focus draws a frame. A style
    // sheet reads the palette once, so it is built again for every tint.
    const QString style =
        u"QToolButton { border: 1px solid transparent; border-radius: 6px; padding: 2px 4px; }"
        u"QToolButton:focus { border-color: %1; }"
        u"QToolButton:pressed { background: palette(alternate-base); }"_s.arg(
            tint.name(QColor::HexArgb));
    for (QToolButton* button : {m_back, m_right, m_cancel}) {
        QPalette tinted = button->palette();
        tinted.setColor(QPalette::ButtonText, tint);
        button->setPalette(tinted);
        button->setStyleSheet(style);
    }
    m_back->setIcon(chevron(tint));
}

void NavigationBar::layOut() {
    const auto place = [this](QToolButton* button, int x) {
        const QSize hint = button->sizeHint();
        button->setGeometry(x, (height() - hint.height()) / 2, hint.width(), hint.height());
        return hint.width();
    };
    int left = kMargin;
    if (m_back->isVisibleTo(this)) {
        left += place(m_back, left) + kSpacing;
    }
    int right = width() - kMargin;
    for (QToolButton* button : {m_cancel, m_right}) {
        if (button->isVisibleTo(this)) {
            right -= button->sizeHint().width();
            place(button, right);
            right -= kSpacing;
        }
    }
    // The title is centred over the whole bar, so it keeps clear of the wider side.
    const int side = std::max(left, width() - right) + kTitleGap;
    const int titleWidth = std::max(0, width() - 2 * side);
    m_title->setGeometry(side, 0, titleWidth, height());
    m_title->setText(m_title->fontMetrics().elidedText(m_fullTitle, Qt::ElideRight, titleWidth));
    m_title->setAccessibleName(m_fullTitle);
}

}  // namespace pathloom
