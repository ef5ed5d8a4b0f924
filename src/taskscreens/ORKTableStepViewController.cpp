#include "taskscreens/ORKTableStepViewController.h"

#include "session/ValueText.h"
#include "taskmodel/ORKTableStep.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

ORKTableStepViewController::ORKTableStepViewController(std::shared_ptr<ORKStep> step,
                                                       ORKTaskViewController& task, QWidget* parent)
    : ORKStepViewController(step, task, parent), m_rows(new QListWidget) {
    addTitleAndText();
    QVBoxLayout& content = *contentLayout();
    m_rows->setObjectName(u"table"_s);
    m_rows->setSelectionMode(QAbstractItemView::NoSelection);
    m_rows->setWordWrap(true);
    const auto& table = static_cast<const ORKTableStep&>(*step);
    for (const Value& item : table.items) {
        const QString text = stringValue(item).value_or(QString());
        m_rows->addItem(table.isBulleted ? u"\u2022  "_s + text : text);
    }
    content.addWidget(m_rows, 1);
}

}  // namespace pathloom
