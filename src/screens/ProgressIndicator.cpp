#include "screens/ProgressIndicator.h"

#include "platform/SystemPalette.h"
#include "screens/ActivitySpinner.h"

#include <QEvent>
#include <QPainter>

namespace pathloom {

namespace {

using namespace Qt::StringLiterals;

// The rounded grey box under the spinner.
class OverlayBox : public QWidget {
public:
    explicit OverlayBox(QWidget* parent) : QWidget(parent) {
        setObjectName(u"progressIndicator"_s);
        setAttribute(Qt::WA_TranslucentBackground);
        setFixedSize(ProgressIndicator::kBoxSide, ProgressIndicator::kBoxSide);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(SystemPalette::color(SystemPalette::Role::systemGray2));
        painter.drawRoundedRect(rect(), ProgressIndicator::kCornerRadius,
                                ProgressIndicator::kCornerRadius);
    }
};

}  // namespace

ProgressIndicator::ProgressIndicator() = default;

ProgressIndicator::~ProgressIndicator() {
    // The host would otherwise keep a box that nobody can take away.
    remove();
}

void ProgressIndicator::show(QWidget* host) {
    QMetaObject::invokeMethod(
        this,
        [this, host = QPointer<QWidget>(host)] {
            if (host) {
                build(*host);
            }
        },
        Qt::QueuedConnection);
}

void ProgressIndicator::hide() {
    QMetaObject::invokeMethod(
        this, [this] { remove(); }, Qt::QueuedConnection);
}

void ProgressIndicator::build(QWidget& host) {
    remove();
    auto* box = new OverlayBox(&host);
    auto* spinner = new ActivitySpinner(box);
    spinner->setColor(SystemPalette::color(SystemPalette::Role::systemBackground));
    spinner->setFixedSize(kSpinnerSide, kSpinnerSide);
    spinner->move((kBoxSide - kSpinnerSide) / 2, (kBoxSide - kSpinnerSide) / 2);
    m_loadingView = box;
    m_activityIndicator = spinner;
    host.installEventFilter(this);
    centre();
    box->raise();
    box->show();
    spinner->start();
}

void ProgressIndicator::remove() {
    if (m_activityIndicator) {
        m_activityIndicator->stop();
    }
    if (m_loadingView) {
        if (QWidget* host = m_loadingView->parentWidget()) {
            host->removeEventFilter(this);
        }
        delete m_loadingView.data();
    }
    m_loadingView = nullptr;
    m_activityIndicator = nullptr;
}

void ProgressIndicator::centre() {
    if (m_loadingView && m_loadingView->parentWidget()) {
        const QRect area = m_loadingView->parentWidget()->rect();
        m_loadingView->move(area.center() - m_loadingView->rect().center());
    }
}

bool ProgressIndicator::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && m_loadingView &&
        watched == m_loadingView->parentWidget()) {
        centre();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace pathloom
