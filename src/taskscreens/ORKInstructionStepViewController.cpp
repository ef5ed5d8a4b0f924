#include "taskscreens/ORKInstructionStepViewController.h"

#include "taskmodel/ORKBodyItem.h"
#include "taskmodel/ORKStep.h"
#include "taskscreens/ORKBodyLabel.h"
#include "taskscreens/ORKTitleLabel.h"
#include "taskscreens/StepImageView.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// The body item styles a step document names by number.
enum class BodyItemStyle : qint64 { text = 0, bulletPoint = 1, image = 2, horizontalRule = 3 };

constexpr int kBulletIndent = 8;

template <typename Label>
Label* named(Label* label, const QString& name) {
    label->setObjectName(name);
    return label;
}

QLayout* textColumn(const ORKBodyItem& item) {
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    if (item.text) {
        column->addWidget(new ORKBodyLabel(*item.text));
    }
    if (item.detailText) {
        column->addWidget(new ORKBodyLabel(*item.detailText, ORKBodyLabel::Emphasis::secondary));
    }
    return column;
}

void addBodyItem(QVBoxLayout& layout, const ORKBodyItem& item) {
    switch (static_cast<BodyItemStyle>(item.bodyItemStyle)) {
        case BodyItemStyle::bulletPoint: {
            auto* row = new QHBoxLayout;
            row->setContentsMargins(kBulletIndent, 0, 0, 0);
            auto* bullet = new ORKBodyLabel(u"•"_s);
            bullet->setWordWrap(false);
            row->addWidget(bullet, 0, Qt::AlignTop);
            row->addLayout(textColumn(item), 1);
            layout.addLayout(row);
            return;
        }
        case BodyItemStyle::image:
            if (item.image) {
                layout.addWidget(new StepImageView(*item.image));
            }
            layout.addLayout(textColumn(item));
            return;
        case BodyItemStyle::horizontalRule: {
            auto* rule = new QFrame;
            rule->setFrameShape(QFrame::HLine);
            rule->setFrameShadow(QFrame::Plain);
            layout.addWidget(rule);
            return;
        }
        case BodyItemStyle::text:
            break;
    }
    layout.addLayout(textColumn(item));
}

}  // namespace

ORKInstructionStepViewController::ORKInstructionStepViewController(std::shared_ptr<ORKStep> step,
                                                                   ORKTaskViewController& task,
                                                                   QWidget* parent)
    : ORKStepViewController(std::move(step), task, parent) {
    const ORKStep& shown = *this->step();
    QVBoxLayout& layout = *contentLayout();
    if (shown.title) {
        layout.addWidget(named(new ORKTitleLabel(*shown.title), u"titleLabel"_s));
    }
    if (shown.text) {
        layout.addWidget(named(new ORKBodyLabel(*shown.text), u"textLabel"_s));
    }
    if (shown.detailText) {
        layout.addWidget(
            named(new ORKBodyLabel(*shown.detailText, ORKBodyLabel::Emphasis::secondary),
                  u"detailTextLabel"_s));
    }
    if (shown.image && !shown.image->isNull()) {
        layout.addWidget(named(new StepImageView(*shown.image), u"stepImage"_s));
    }
    for (const std::shared_ptr<ORKBodyItem>& item : shown.bodyItems) {
        if (item) {
            addBodyItem(layout, *item);
        }
    }
    if (shown.footnote) {
        layout.addWidget(named(new ORKBodyLabel(*shown.footnote, ORKBodyLabel::Emphasis::secondary),
                               u"footnoteLabel"_s));
    }
}

}  // namespace pathloom
