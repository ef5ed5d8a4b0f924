#pragma once

#include "screens/PathloomListViewController.h"
#include "screens/RemoteTableContent.h"

namespace pathloom {

// The screen of a remote list step: fetches the entries whenever it appears and on the user's
// word, showing a loading view while there are none yet and the step's empty text (else
// "No Content") when the server sends none.
class PathloomNetworkListViewController : public PathloomListViewController {
    Q_OBJECT

public:
    PathloomNetworkListViewController(std::shared_ptr<ORKStep> step, ORKTaskViewController& task,
                                      const SymbolCatalogue& symbols, QWidget* parent = nullptr);

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
