#include "shell/PresentationStack.h"

#include "taskscreens/ScreenAppearance.h"

#include <QTimer>
#include <QVBoxLayout>

namespace pathloom {

namespace {

ScreenAppearance* appearance(QWidget* screen) { return dynamic_cast<ScreenAppearance*>(screen); }

}  // namespace

PresentationStack::PresentationStack(QWidget& root, QWidget* parent)
    : QWidget(parent), m_layout(new QStackedLayout(this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addWidget(&root);
}

void PresentationStack::present(QWidget* screen, bool animated, std::function<void()> completion) {
    QWidget* covered = topScreen();
    if (ScreenAppearance* leaving = appearance(covered)) {
        leaving->viewWillDisappear();
    }
    m_screens.append(screen);
    if (ScreenAppearance* arriving = appearance(screen)) {
        arriving->viewWillAppear();
    }
    m_layout->addWidget(screen);
    m_layout->setCurrentWidget(screen);
    Q_EMIT presented(screen, animated);
    later(this, [this, screen = QPointer(screen), completion = std::move(completion)] {
        if (ScreenAppearance* arrived = appearance(screen)) {
            arrived->viewDidAppear();
        }
        if (completion) {
            completion();
        }
    });
}

void PresentationStack::dismiss(QWidget* screen, bool animated, std::function<void()> completion) {
    const qsizetype index = m_screens.indexOf(screen);
    if (index < 0) {
        return;
    }
    while (m_screens.size() > index) {
        QPointer<QWidget> leaving = m_screens.takeLast();
        if (!leaving) {
            continue;
        }
        if (ScreenAppearance* gone = appearance(leaving)) {
            gone->viewWillDisappear();
        }
        m_layout->removeWidget(leaving);
        leaving->hide();
        Q_EMIT dismissed(leaving, animated);
        leaving->deleteLater();
    }
    QWidget* uncovered = topScreen();
    m_layout->setCurrentWidget(uncovered);
    if (ScreenAppearance* back = appearance(uncovered)) {
        back->viewWillAppear();
    }
    later(this, [uncovered = QPointer(uncovered), completion = std::move(completion)] {
        if (ScreenAppearance* back = appearance(uncovered)) {
            back->viewDidAppear();
        }
        if (completion) {
            completion();
        }
    });
}

void PresentationStack::dismissAll(bool animated, std::function<void()> completion) {
    if (m_screens.isEmpty()) {
        later(this, std::move(completion));
        return;
    }
    dismiss(m_screens.first(), animated, std::move(completion));
}

QWidget* PresentationStack::topScreen() const {
    for (qsizetype i = m_screens.size() - 1; i >= 0; --i) {
        if (m_screens[i]) {
            return m_screens[i];
        }
    }
    return m_layout->widget(0);
}

bool PresentationStack::isPresented(const QWidget* screen) const {
    return std::ranges::any_of(m_screens,
                               [&](const QPointer<QWidget>& each) { return each == screen; });
}

void PresentationStack::addCovering(QWidget& parent, QWidget& child) {
    ScreenAppearance* arriving = appearance(&child);
    if (arriving) {
        arriving->viewWillAppear();
    }
    auto* layout = qobject_cast<QVBoxLayout*>(parent.layout());
    if (!layout) {
        layout = new QVBoxLayout(&parent);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(&child);
    child.show();
    if (arriving) {
        arriving->viewDidAppear();
    }
}

void PresentationStack::later(QObject* context, std::function<void()> work) {
    if (!work) {
        return;
    }
    QTimer::singleShot(0, context, std::move(work));
}

}  // namespace pathloom
