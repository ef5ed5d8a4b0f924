#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace pathloom {

class ORKTableStepViewController;
class RefreshControl;

// How a table screen shows content fetched from the server: a refresh control above the rows
// that fetches again; a loading view while the first fetch runs on an empty table (the control
// is then hidden; a refresh or a reload keeps the rows on screen); the rows anew after each fetch,
// with a message while there are none.
//
// Main thread only; owned by its screen.
class RemoteTableContent {
public:
    // `fetch` fetches the content again for the refresh control; `loaded` runs after each fetch
    // has ended and its outcome shows (the new rows, or the error alert), on a later pass.
    RemoteTableContent(ORKTableStepViewController& screen, std::function<void()> fetch,
                       std::function<void()> loaded);

    // A fetch started or ended.
    void loadingChanged(bool loading);
    // Whether a fetch runs now.
    [[nodiscard]] bool isLoading() const { return m_loading; }
    // The step's items changed; `emptyMessage` is shown while there are none.
    void contentChanged(const std::optional<QString>& emptyMessage);

    [[nodiscard]] RefreshControl& refreshControl() const { return *m_refresh; }

private:
    ORKTableStepViewController& m_screen;
    RefreshControl* m_refresh;
    std::function<void()> m_loaded;
    bool m_loading = false;
};

}  // namespace pathloom
