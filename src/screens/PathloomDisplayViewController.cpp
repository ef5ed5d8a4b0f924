#include "screens/PathloomDisplayViewController.h"

#include "foundation/ImageLoader.h"
#include "network/NetworkManager.h"
#include "platform/VideoPlayer.h"
#include "screens/CustomButton.h"
#include "screens/PathloomButtonTableViewCell.h"
#include "screens/PathloomImageTableViewCell.h"
#include "screens/PathloomSubtitleTableViewCell.h"
#include "screens/PathloomVideoTableViewCell.h"
#include "screens/WorkflowPresentationDelegate.h"
#include "steps/DisplayItem.h"
#include "steps/DisplayItemRepresentation.h"
#include "steps/DisplayStep.h"
#include "steps/TableStep.h"
#include "taskmodel/ORKTableStep.h"
#include "taskscreens/ORKTableView.h"
#include "taskscreens/ORKTaskViewController.h"

namespace pathloom {

using namespace Qt::StringLiterals;

using Cell = DisplayItemRepresentation::Cell;

PathloomDisplayViewController::PathloomDisplayViewController(std::shared_ptr<ORKStep> step,
                                                             ORKTaskViewController& task,
                                                             const SymbolCatalogue& symbols,
                                                             DebugConsole console, QWidget* parent)
    : ORKTableStepViewController(step, task, parent),
      StepScreenDelegate(static_cast<ORKStepViewController&>(*this)),
      m_symbols(symbols),
      m_controller(DisplayStepController::create(
          std::dynamic_pointer_cast<ORKTableStep>(std::move(step)), *this, std::move(console))) {
    ORKTableView& table = tableView();
    table.setHeaderHeight(kSectionHeaderHeight);
    connect(&table, &ORKTableView::willDisplayRow, this, [this](qsizetype row, QWidget* cell) {
        if (auto* picture = qobject_cast<PathloomImageTableViewCell*>(cell)) {
            loadPicture(row, *picture);
        }
    });
    connect(&table, &ORKTableView::didEndDisplayingRow, this,
            [this](qsizetype row) { m_imageLoads.cancel(row); });
}

PathloomDisplayViewController::~PathloomDisplayViewController() = default;

CustomButton* PathloomDisplayViewController::button(const QString& label) const {
    for (qsizetype row = 0; row < tableView().rowCount(); ++row) {
        if (auto* cell = qobject_cast<PathloomButtonTableViewCell*>(tableView().cellForRow(row));
            cell != nullptr && cell->button()->text() == label) {
            return cell->button();
        }
    }
    return nullptr;
}

void PathloomDisplayViewController::viewWillAppear() {
    hideNavigationFooterView();
    ORKTableStepViewController::viewWillAppear();
}

QWidget* PathloomDisplayViewController::makeCell(qsizetype row) {
    const auto* table = dynamic_cast<const TableStep*>(step().get());
    const std::optional<TableRow> shown = table ? table->tableRow(row) : std::nullopt;
    const auto item = tableStep().objectForRow(row).object<DisplayItem>();
    if (!shown || !item) {
        return ORKTableStepViewController::makeCell(row);
    }
    switch (DisplayItemRepresentation::cellOf(item->type)) {
        case Cell::text: {
            auto* cell = new PathloomSubtitleTableViewCell;
            cell->configure(*shown);
            return cell;
        }
        case Cell::image:
        case Cell::video: {
            PathloomImageTableViewCell* cell = item->type == DisplayItem::ItemType::video
                                                   ? new PathloomVideoTableViewCell(m_symbols)
                                                   : new PathloomImageTableViewCell(m_symbols);
            cell->configure(*shown);
            connect(cell, &PathloomImageTableViewCell::tapped, this,
                    [this](PathloomImageTableViewCell* tapped) {
                        play(tableView().rowForCell(tapped));
                    });
            return cell;
        }
        case Cell::button: {
            auto* cell = new PathloomButtonTableViewCell;
            cell->configure(*shown);
            connect(cell, &PathloomButtonTableViewCell::buttonTapped, this,
                    [this](PathloomButtonTableViewCell* tapped, CustomButton* button) {
                        tapButton(tableView().rowForCell(tapped), *button);
                    });
            return cell;
        }
    }
    return ORKTableStepViewController::makeCell(row);
}

void PathloomDisplayViewController::tapButton(qsizetype row, CustomButton& button) {
    // Until the action ends, the button cannot start it again: a second PUT would change the
    // server twice.
    button.setEnabled(false);
    m_tappedButton = &button;
    m_controller->tapButton(row);
}

void PathloomDisplayViewController::play(qsizetype row) {
    const auto item = tableStep().objectForRow(row).object<DisplayItem>();
    const auto* page = dynamic_cast<const DisplayStep*>(step().get());
    if (!item || item->type != DisplayItem::ItemType::video || !item->url || !page ||
        !page->networkManager()) {
        return;
    }
    if (const std::optional<QUrl> video = page->networkManager()->url(*item->url);
        video && video->isValid()) {
        VideoPlayer::play(*video, this);
    }
}

void PathloomDisplayViewController::loadPicture(qsizetype row, PathloomImageTableViewCell& cell) {
    const auto item = tableStep().objectForRow(row).object<DisplayItem>();
    const auto* page = dynamic_cast<const DisplayStep*>(step().get());
    const std::shared_ptr<ImageLoader> loader = page ? page->imageLoader() : nullptr;
    const std::optional<QUrl> address = item && item->previewURL && page && page->networkManager()
                                            ? page->networkManager()->url(*item->previewURL)
                                            : std::nullopt;
    if (!address || !loader) {
        cell.setBackgroundImage(std::nullopt);
        return;
    }
    m_imageLoads.start(row, *loader, address->toString(),
                       [cell = QPointer(&cell)](std::optional<QImage> picture) {
                           if (cell) {
                               cell->setBackgroundImage(std::move(picture));
                           }
                       });
}

void PathloomDisplayViewController::setLoading(bool loading) {
    if (loading) {
        m_progress.show(&taskViewController());
    } else {
        m_progress.hide();
    }
}

void PathloomDisplayViewController::contentDidChange(const std::optional<QString>&) {
    reloadData();
}

void PathloomDisplayViewController::buttonActionDidEnd() {
    if (m_tappedButton) {
        m_tappedButton->setEnabled(true);
    }
    m_tappedButton.clear();
    Q_EMIT buttonActionEnded();
}

void PathloomDisplayViewController::presentWorkflow(
    const QString& name, std::function<void(ORKTaskViewControllerFinishReason)> completion) {
    if (m_presenter == nullptr) {
        StepScreenDelegate::presentWorkflow(name, std::move(completion));
        buttonActionDidEnd();
        return;
    }
    if (!m_presenter->presentWorkflow(name, std::move(completion))) {
        buttonActionDidEnd();
    }
}

}  // namespace pathloom
