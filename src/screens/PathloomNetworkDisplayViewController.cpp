#include "screens/PathloomNetworkDisplayViewController.h"

namespace pathloom {

PathloomNetworkDisplayViewController::PathloomNetworkDisplayViewController(
    std::shared_ptr<ORKStep> step, ORKTaskViewController& task, const SymbolCatalogue& symbols,
    DebugConsole console, QWidget* parent)
    : PathloomDisplayViewController(std::move(step), task, symbols, std::move(console), parent),
      m_content(
          *this, [this] { controller().loadContent(); }, [this] { Q_EMIT contentLoaded(); }) {}

void PathloomNetworkDisplayViewController::viewWillAppear() {
    PathloomDisplayViewController::viewWillAppear();
    controller().stepWillAppear();
}

void PathloomNetworkDisplayViewController::contentLoadingChanged(bool loading) {
    m_content.loadingChanged(loading);
}

void PathloomNetworkDisplayViewController::contentDidChange(
    const std::optional<QString>& emptyMessage) {
    m_content.contentChanged(emptyMessage);
}

}  // namespace pathloom
