#pragma once

#include "foundation/Cancellable.h"
#include "foundation/Error.h"
#include "steps/RemoteContentStep.h"
#include "steps/StepControllerDelegate.h"
#include "steps/SyncableContentSource.h"
#include "taskmodel/ORKTableStep.h"

#include <QByteArray>
#include <expected>
#include <functional>
#include <memory>
#include <optional>

namespace pathloom {

// Fetches the items of a table step whose content comes from the server (the remote list and the
// remote page) from the step's URL template, through the step's HTTP client.
class RemoteContentLoader {
public:
    using Decode = std::function<std::expected<QList<Value>, Error>(const QByteArray&)>;
    using Completion = std::function<void(std::expected<void, Error>)>;

    // Nothing when `step` is not a remote table step.
    [[nodiscard]] static std::optional<RemoteContentLoader> forStep(
        const std::shared_ptr<ORKTableStep>& step, Decode decode);

    // Resolves the URL template again. When it leads somewhere else than last time, the new URL
    // is kept and the items are emptied, so that the old content is not shown for the new address.
    // Returns whether the URL changed.
    bool syncURL();
    // GETs the items and, on success, puts them on the step. `completion` runs once on the main
    // queue, at once for a step without a URL (a bad-URL error); a new load, or dropping the
    // loader, cancels the one before it, whose completion then never runs.
    void load(Completion completion);
    // Loads and tells `delegate` what a screen shows: the fetch starting and ending, then the new
    // items (with `emptyMessage` while there are none) or the error. A step without a URL stays
    // as it is without a word. `delegate` must outlive the loader.
    void load(StepControllerDelegate& delegate, const QString& emptyMessage);

private:
    RemoteContentLoader(std::shared_ptr<ORKTableStep> step, SyncableContentSource& source,
                        const RemoteContentStep& remote, Decode decode);

    std::shared_ptr<ORKTableStep> m_step;
    // Both are `m_step` itself, seen through its other bases.
    SyncableContentSource* m_source;
    const RemoteContentStep* m_remote;
    Decode m_decode;
    Cancellable m_load;
};

}  // namespace pathloom
