#include "screens/RemoteTableContent.h"

#include "screens/LoadingStateView.h"
#include "screens/MessageStateView.h"
#include "screens/RefreshControl.h"
#include "taskmodel/ORKTableStep.h"
#include "taskscreens/ORKTableStepViewController.h"
#include "taskscreens/ORKTableView.h"

#include <QVBoxLayout>

namespace pathloom {

RemoteTableContent::RemoteTableContent(ORKTableStepViewController& screen,
                                       std::function<void()> fetch, std::function<void()> loaded)
    : m_screen(screen), m_refresh(new RefreshControl(screen)), m_loaded(std::move(loaded)) {
    QVBoxLayout& content = *screen.contentLayout();
    content.insertWidget(content.indexOf(&screen.tableView()), m_refresh);
    QObject::connect(m_refresh, &RefreshControl::valueChanged, &screen, std::move(fetch));
}

void RemoteTableContent::loadingChanged(bool loading) {
    m_loading = loading;
    ORKTableView& table = m_screen.tableView();
    if (loading) {
        if (!m_refresh->isRefreshing() && m_screen.tableStep().items.isEmpty()) {
            table.setBackgroundView(new LoadingStateView);
            m_refresh->hide();
        }
        return;
    }
    table.setBackgroundView(nullptr);
    m_refresh->endRefreshing();
    m_refresh->show();
    // The outcome (new rows, or the error alert) is shown right after this call.
    QMetaObject::invokeMethod(&m_screen, m_loaded, Qt::QueuedConnection);
}

void RemoteTableContent::contentChanged(const std::optional<QString>& emptyMessage) {
    m_screen.reloadData();
    if (m_screen.tableStep().items.isEmpty()) {
        m_screen.tableView().setBackgroundView(
            new MessageStateView(emptyMessage.value_or(QString())));
    }
}

}  // namespace pathloom
