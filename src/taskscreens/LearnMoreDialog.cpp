#include "taskscreens/LearnMoreDialog.h"

#include "taskmodel/ORKLearnMoreInstructionStep.h"
#include "taskmodel/ORKLearnMoreItem.h"
#include "taskscreens/ORKBodyLabel.h"
#include "taskscreens/ORKTitleLabel.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr int kWidth = 360;

}  // namespace

LearnMoreDialog::LearnMoreDialog(const ORKLearnMoreItem& item, QWidget* parent) : QDialog(parent) {
    setObjectName(u"learnMoreDialog"_s);
    setWindowTitle(item.text.value_or(u"Learn more"_s));
    setMinimumWidth(kWidth);
    auto* layout = new QVBoxLayout(this);
    if (const auto& step = item.learnMoreInstructionStep) {
        if (step->title) {
            layout->addWidget(new ORKTitleLabel(*step->title, this));
        }
        if (step->text) {
            layout->addWidget(new ORKBodyLabel(*step->text, this));
        }
        if (step->detailText) {
            layout->addWidget(
                new ORKBodyLabel(*step->detailText, ORKBodyLabel::Emphasis::secondary, this));
        }
    }
    auto* done = new QPushButton(u"Done"_s, this);
    done->setDefault(true);
    layout->addWidget(done, 0, Qt::AlignRight);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
}

QPushButton* LearnMoreDialog::link(const std::shared_ptr<ORKLearnMoreItem>& item, QWidget* parent) {
    auto* link = new QPushButton(item->text.value_or(u"Learn more"_s), parent);
    link->setObjectName(u"learnMore"_s);
    link->setFlat(true);
    link->setForegroundRole(QPalette::Link);
    link->setCursor(Qt::PointingHandCursor);
    QObject::connect(link, &QPushButton::clicked, link, [item, link] {
        auto* dialog = new LearnMoreDialog(*item, link->window());
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
    return link;
}

}  // namespace pathloom
