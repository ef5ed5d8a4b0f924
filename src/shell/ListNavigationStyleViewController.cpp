#include "shell/ListNavigationStyleViewController.h"

#include "platform/SymbolCatalogue.h"
#include "platform/SystemPalette.h"
#include "platform/TextStyles.h"
#include "shell/ScreenJournal.h"

#include <QJsonArray>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kRowSymbolSize(22, 22);

}  // namespace

ListNavigationStyleViewController::ListNavigationStyleViewController(
    const QString& title, QList<Workflow> workflows, std::optional<Workflow> initialWorkflow,
    TaskScreens& screens, QWidget* parent)
    : QWidget(parent),
      m_workflows(std::move(workflows)),
      m_initialWorkflow(std::move(initialWorkflow)),
      m_screens(screens),
      m_list(new QListWidget(this)) {
    setObjectName(u"listStyle"_s);
    setAutoFillBackground(true);
    QPalette grouped = palette();
    grouped.setColor(QPalette::Window,
                     SystemPalette::color(SystemPalette::Role::systemGroupedBackground));
    setPalette(grouped);

    auto* heading = new QLabel(title, this);
    heading->setObjectName(u"title"_s);
    heading->setFont(TextStyles::font(TextStyles::Style::largeTitle));
    heading->setWordWrap(true);

    m_list->setObjectName(u"workflows"_s);
    m_list->setAccessibleName(u"Workflows"_s);
    m_list->setIconSize(kRowSymbolSize);
    m_list->setSpacing(2);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setStyleSheet(
        u"QListWidget { background: white; border-radius: 10px; padding: 4px; }"
        u"QListWidget::item { padding: 10px 6px; border-bottom: 1px solid #dcdce0; }"_s);
    QJsonArray rows;
    for (const Workflow& workflow : m_workflows) {
        const QString name = workflow.name.value_or(QString());
        auto* item = new QListWidgetItem(name, m_list);
        if (workflow.systemImageName && m_screens.symbols().contains(*workflow.systemImageName)) {
            item->setIcon(m_screens.symbols().icon(*workflow.systemImageName, kRowSymbolSize,
                                                   palette().color(QPalette::Highlight)));
        }
        rows.append(name);
    }
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { open(m_list->row(item)); });
    m_list->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 20, 16, 16);
    layout->setSpacing(12);
    layout->addWidget(heading);
    layout->addWidget(m_list, 1);
    m_screens.journal().record(u"screen"_s,
                               {{u"screen"_s, u"list"_s}, {u"title"_s, title}, {u"rows"_s, rows}});
}

void ListNavigationStyleViewController::viewDidAppear() {
    if (const std::optional<Workflow> initial = std::exchange(m_initialWorkflow, std::nullopt)) {
        m_screens.present(*initial, {}, WorkflowRunner::Nesting::topLevel);
    }
}

bool ListNavigationStyleViewController::eventFilter(QObject* watched, QEvent* event) {
    // Return opens the current row, as a click does; a double click must not open it twice.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            open(m_list->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ListNavigationStyleViewController::open(int row) {
    if (row < 0 || row >= m_workflows.size()) {
        return;
    }
    // The row stays selected, as the list of a platform's navigation does.
    m_list->setCurrentRow(row);
    m_screens.present(m_workflows[row], {}, WorkflowRunner::Nesting::topLevel);
}

}  // namespace pathloom
