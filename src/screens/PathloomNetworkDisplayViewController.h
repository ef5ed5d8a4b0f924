#pragma once

#include "screens/PathloomDisplayViewController.h"
#include "screens/RemoteTableContent.h"

namespace pathloom {

// The screen of a remote page: fetches the items whenever it appears, on the user's word and
// after a button's "reload", showing a loading view while there are none yet and "No Content"
// when the server sends none.
class PathloomNetworkDisplayViewController : public PathloomDisplayViewController {
    Q_OBJECT

public:
    PathloomNetworkDisplayViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                         const SymbolCatalogue& symbols, DebugConsole console = {},
                                         QWidget* parent = nullptr);

    [[nodiscard]] RefreshControl& refreshControl() const { return m_content.refreshControl(); }
    // Whether a fetch of the content runs now.
    [[nodiscard]] bool isLoadingContent() const { return m_content.isLoading(); }

    void viewWillAppear() override;

Q_SIGNALS:
    // A fetch ended, whatever its outcome, and its new rows or its error alert show.
    void contentLoaded();

protected:
    void contentLoadingChanged(bool loading) override;
    void contentDidChange(const std::optional<QString>& emptyMessage) override;

private:
    RemoteTableContent m_content;
};

}  // namespace pathloom
