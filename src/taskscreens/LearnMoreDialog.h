#pragma once

#include <QDialog>
#include <memory>

class QPushButton;

namespace pathloom {

class ORKLearnMoreItem;

// What a "Learn more" link opens: the title, text and detail of the item's instruction step, over
// "Done". It opens without blocking and goes when closed.
class LearnMoreDialog : public QDialog {
    Q_OBJECT

public:
    LearnMoreDialog(const ORKLearnMoreItem& item, QWidget* parent);

    // The link ("learnMore"): the item's own text, else "Learn more"; pressing it opens the
    // dialog over `parent`. The item outlives the link.
    [[nodiscard]] static QPushButton* link(const std::shared_ptr<ORKLearnMoreItem>& item,
                                           QWidget* parent);
};

}  // namespace pathloom
