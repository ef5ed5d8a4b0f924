#include "taskscreens/ORKTableView.h"

#include "platform/SystemPalette.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kSeparatorHeight = 1;
constexpr int kSeparatorInset = 16;

}  // namespace

ORKTableView::ORKTableView(QWidget* parent)
    : QScrollArea(parent), m_rows(new QWidget), m_layout(new QVBoxLayout(m_rows)) {
    setObjectName(u"table"_s);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rows->setObjectName(u"tableRows"_s);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addStretch();
    setWidget(m_rows);
    QPalette area = viewport()->palette();
    area.setColor(QPalette::Window,
                  SystemPalette::color(SystemPalette::Role::systemGroupedBackground));
    viewport()->setPalette(area);
    viewport()->setAutoFillBackground(true);
    viewport()->installEventFilter(this);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ORKTableView::updateDisplayedRows);
}

void ORKTableView::reloadData(qsizetype rowCount) {
    for (qsizetype row = 0; row < m_cells.size(); ++row) {
        if (m_displayed[row]) {
            Q_EMIT didEndDisplayingRow(row, m_cells[row]);
        }
    }
    qDeleteAll(m_cells);
    qDeleteAll(m_separators);
    m_cells.clear();
    m_separators.clear();
    m_displayed.clear();
    for (qsizetype row = 0; row < rowCount; ++row) {
        QWidget* cell = m_provider ? m_provider(row) : nullptr;
        if (cell == nullptr) {
            cell = new QWidget;
        }
        cell->installEventFilter(this);
        if (row > 0) {
            QWidget* separator = makeSeparator();
            m_layout->insertWidget(m_layout->count() - 1, separator);
            separator->show();
            m_separators.append(separator);
        }
        m_layout->insertWidget(m_layout->count() - 1, cell);
        // A layout shows a widget added to a shown parent only on a later pass, and places no
        // hidden widget: shown now, the cell is placed with the next layout work.
        cell->show();
        m_cells.append(cell);
        m_displayed.append(false);
    }
    scheduleUpdate();
}

QWidget* ORKTableView::makeSeparator() const {
    // A hairline inset from the leading edge, on the rows' own background.
    auto* separator = new QWidget;
    separator->setFixedHeight(kSeparatorHeight);
    separator->setAutoFillBackground(true);
    QPalette palette = separator->palette();
    palette.setColor(QPalette::Window,
                     SystemPalette::color(SystemPalette::Role::secondarySystemBackground));
    separator->setPalette(palette);
    auto* line = new QWidget(separator);
    line->setAutoFillBackground(true);
    palette.setColor(QPalette::Window, SystemPalette::color(SystemPalette::Role::separator));
    line->setPalette(palette);
    auto* layout = new QHBoxLayout(separator);
    layout->setContentsMargins(kSeparatorInset, 0, 0, 0);
    layout->addWidget(line);
    return separator;
}

QWidget* ORKTableView::cellForRow(qsizetype row) const {
    return row >= 0 && row < m_cells.size() ? m_cells[row] : nullptr;
}

qsizetype ORKTableView::rowForCell(const QWidget* cell) const {
    for (qsizetype row = 0; row < m_cells.size(); ++row) {
        if (m_cells[row] == cell) {
            return row;
        }
    }
    return -1;
}

bool ORKTableView::isRowDisplayed(qsizetype row) const {
    return row >= 0 && row < m_displayed.size() && m_displayed[row];
}

void ORKTableView::setBackgroundView(QWidget* view) {
    if (m_background == view) {
        return;
    }
    delete m_background;
    m_background = view;
    if (view != nullptr) {
        view->setParent(viewport());
        placeBackground();
        view->show();
        view->raise();
    }
}

void ORKTableView::setHeaderHeight(int height) { m_layout->setContentsMargins(0, height, 0, 0); }

bool ORKTableView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport()) {
        if (event->type() == QEvent::Resize) {
            placeBackground();
            scheduleUpdate();
        }
        return QScrollArea::eventFilter(watched, event);
    }
    auto* cell = qobject_cast<QWidget*>(watched);
    const qsizetype row = rowForCell(cell);
    if (row < 0) {
        return QScrollArea::eventFilter(watched, event);
    }
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Resize ||
        event->type() == QEvent::Move || event->type() == QEvent::Show) {
        scheduleUpdate();
    }
    if (!m_selectionEnabled) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        cell->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        Q_EMIT rowSelected(row);
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            Q_EMIT rowSelected(row);
            return true;
        }
    }
    return false;
}

void ORKTableView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    placeBackground();
    scheduleUpdate();
}

void ORKTableView::showEvent(QShowEvent* event) {
    QScrollArea::showEvent(event);
    scheduleUpdate();
}

void ORKTableView::scheduleUpdate() {
    // New cells stand where the layout has not placed them yet, and the layout places them one
    // by one: the rows in view are worked out on a later pass of the event loop, once the layout
    // work waiting by then is done.
    if (std::exchange(m_updateScheduled, true)) {
        return;
    }
    QTimer::singleShot(0, this, [this] {
        m_updateScheduled = false;
        // Layout work still waiting would move the cells right after they were measured.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        updateDisplayedRows();
    });
}

void ORKTableView::updateDisplayedRows() {
    // A handler may lay rows out again (a picture arrived at once); the outer pass goes on with
    // the new geometry.
    if (m_updating) {
        m_updateAgain = true;
        return;
    }
    m_updating = true;
    do {
        m_updateAgain = false;
        reportDisplayedRows();
    } while (m_updateAgain);
    m_updating = false;
}

void ORKTableView::reportDisplayedRows() {
    const QRect visible(0, verticalScrollBar()->value(), viewport()->width(), viewport()->height());
    // Reported in two passes, ends first, so that a screen never holds more loads than rows in
    // view.
    QList<qsizetype> entering;
    for (qsizetype row = 0; row < m_cells.size(); ++row) {
        // A cell not shown yet has not been placed: where it stands says nothing.
        const bool inView =
            m_cells[row]->isVisibleTo(m_rows) && m_cells[row]->geometry().intersects(visible);
        if (inView == m_displayed[row]) {
            continue;
        }
        m_displayed[row] = inView;
        if (inView) {
            entering.append(row);
        } else {
            Q_EMIT didEndDisplayingRow(row, m_cells[row]);
        }
    }
    for (const qsizetype row : entering) {
        // A handler may reload the table; rows it dropped are not reported.
        if (row < m_cells.size() && m_displayed[row]) {
            Q_EMIT willDisplayRow(row, m_cells[row]);
        }
    }
}

void ORKTableView::placeBackground() {
    if (m_background) {
        m_background->setGeometry(viewport()->rect());
    }
}

}  // namespace pathloom
