#include "taskscreens/ORKTableStepViewController.h"

#include "platform/SystemPalette.h"
#include "session/ValueText.h"
#include "taskmodel/ORKTableStep.h"
#include "taskscreens/ORKTableView.h"

#include <QLabel>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kCellMargin = 12;
constexpr int kCellSideMargin = 16;

}  // namespace

ORKTableStepViewController::ORKTableStepViewController(std::shared_ptr<ORKStep> step,
                                                       ORKTaskViewController& task, QWidget* parent)
    : ORKStepViewController(step, task, parent), m_table(new ORKTableView) {
    addTitleAndText();
    contentLayout()->addWidget(m_table, 1);
    fillContentHeight();
    m_table->setCellProvider([this](qsizetype row) { return makeCell(row); });
}

void ORKTableStepViewController::viewWillAppear() {
    ORKStepViewController::viewWillAppear();
    // Made here rather than in the constructor, where a subclass's cells could not be made yet.
    if (!std::exchange(m_loaded, true)) {
        reloadData();
    }
}

ORKTableStep& ORKTableStepViewController::tableStep() const {
    return static_cast<ORKTableStep&>(*step());
}

void ORKTableStepViewController::reloadData() { m_table->reloadData(tableStep().items.size()); }

QWidget* ORKTableStepViewController::makeCell(qsizetype row) {
    const ORKTableStep& table = tableStep();
    const QString text = stringValue(table.objectForRow(row)).value_or(QString());
    auto* cell = new QLabel(table.isBulleted ? u"\u2022  "_s + text : text);
    cell->setObjectName(u"tableRow"_s);
    cell->setAccessibleName(text);
    cell->setWordWrap(true);
    cell->setContentsMargins(kCellSideMargin, kCellMargin, kCellSideMargin, kCellMargin);
    cell->setAutoFillBackground(true);
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Window,
                     SystemPalette::color(SystemPalette::Role::secondarySystemGroupedBackground));
    cell->setPalette(palette);
    return cell;
}

}  // namespace pathloom
