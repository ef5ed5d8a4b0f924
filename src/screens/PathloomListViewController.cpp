#include "screens/PathloomListViewController.h"

#include "foundation/ImageLoader.h"
#include "network/NetworkManager.h"
#include "platform/SymbolCatalogue.h"
#include "screens/PathloomSubtitleTableViewCell.h"
#include "steps/ListStep.h"
#include "steps/ListStepItem.h"
#include "taskmodel/ORKTableStep.h"
#include "taskscreens/ORKTableView.h"

namespace pathloom {

namespace {

constexpr int kSymbolSide =
    PathloomSubtitleTableViewCell::kImageSide - 2 * PathloomSubtitleTableViewCell::kImageInset;

}  // namespace

PathloomListViewController::PathloomListViewController(std::shared_ptr<ORKStep> step,
                                                       ORKTaskViewController& task,
                                                       const SymbolCatalogue& symbols,
                                                       QWidget* parent)
    : ORKTableStepViewController(step, task, parent),
      StepScreenDelegate(static_cast<ORKStepViewController&>(*this)),
      m_symbols(symbols),
      m_controller(std::make_unique<ListStepController>(
          std::dynamic_pointer_cast<ORKTableStep>(std::move(step)), *this)) {
    ORKTableView& table = tableView();
    connect(&table, &ORKTableView::rowSelected, this, &PathloomListViewController::select);
    connect(&table, &ORKTableView::willDisplayRow, this, [this](qsizetype row, QWidget* cell) {
        if (auto* subtitle = qobject_cast<PathloomSubtitleTableViewCell*>(cell)) {
            loadPicture(row, *subtitle);
        }
    });
    connect(&table, &ORKTableView::didEndDisplayingRow, this,
            [this](qsizetype row) { m_imageLoads.cancel(row); });
}

void PathloomListViewController::viewWillAppear() {
    hideNavigationFooterView();
    ORKTableStepViewController::viewWillAppear();
    tableView().setSelectionEnabled(true);
}

QWidget* PathloomListViewController::makeCell(qsizetype row) {
    const auto* list = dynamic_cast<const ListStep*>(step().get());
    const std::optional<TableRow> shown = list ? list->tableRow(row) : std::nullopt;
    if (!shown) {
        return ORKTableStepViewController::makeCell(row);
    }
    auto* cell = new PathloomSubtitleTableViewCell;
    cell->configure(*shown);
    return cell;
}

void PathloomListViewController::select(qsizetype row) {
    // One choice per visit: the task moves on after it, and a second click must not record again.
    tableView().setSelectionEnabled(false);
    m_controller->select(row);
}

void PathloomListViewController::loadPicture(qsizetype row, PathloomSubtitleTableViewCell& cell) {
    const auto* list = dynamic_cast<const ListStep*>(step().get());
    const auto item = tableStep().objectForRow(row).object<ListStepItem>();
    const std::shared_ptr<ImageLoader> loader = list ? list->imageLoader() : nullptr;
    const std::optional<QUrl> address = item && item->imageURL && list && list->networkManager()
                                            ? list->networkManager()->url(*item->imageURL)
                                            : std::nullopt;
    if (!address || !loader) {
        cell.setPicture(symbol(row));
        return;
    }
    m_imageLoads.start(row, *loader, address->toString(),
                       [this, row, cell = QPointer(&cell)](std::optional<QImage> picture) {
                           if (cell) {
                               cell->setPicture(picture ? picture : symbol(row));
                           }
                       });
}

std::optional<QImage> PathloomListViewController::symbol(qsizetype row) const {
    const auto item = tableStep().objectForRow(row).object<ListStepItem>();
    if (!item || !item->sfSymbolName) {
        return std::nullopt;
    }
    return m_symbols.image(*item->sfSymbolName, QSize(kSymbolSide, kSymbolSide),
                           palette().color(QPalette::Highlight));
}

}  // namespace pathloom
