#include "screens/PathloomNetworkListViewController.h"

namespace pathloom {

PathloomNetworkListViewController::PathloomNetworkListViewController(std::shared_ptr<ORKStep> step,
                                                                     ORKTaskViewController& task,
                                                                     const SymbolCatalogue& symbols,
                                                                     QWidget* parent)
    : PathloomListViewController(std::move(step), task, symbols, parent),
      m_content(
          *this, [this] { controller().loadContent(); }, [this] { Q_EMIT contentLoaded(); }) {}

void PathloomNetworkListViewController::viewWillAppear() {
    PathloomListViewController::viewWillAppear();
    controller().stepWillAppear();
}

void PathloomNetworkListViewController::contentLoadingChanged(bool loading) {
    m_content.loadingChanged(loading);
}

void PathloomNetworkListViewController::contentDidChange(
    const std::optional<QString>& emptyMessage) {
    m_content.contentChanged(emptyMessage);
}

}  // namespace pathloom
