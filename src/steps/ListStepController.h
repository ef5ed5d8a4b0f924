#pragma once

#include "steps/RemoteContentLoader.h"
#include "steps/StepControllerDelegate.h"
#include "taskmodel/ORKTableStep.h"

#include <memory>
#include <optional>

namespace pathloom {

// What a list step does while it is shown: a chosen entry becomes the step's result and the task
// moves on; a remote list fetches its entries whenever it appears.
//
// Reports to its delegate on the main thread; a fetch still running when the controller goes is
// cancelled.
class ListStepController {
public:
    static constexpr auto kNoContent = QStringView(u"No Content");

    ListStepController(std::shared_ptr<ORKTableStep> step, StepControllerDelegate& delegate);

    [[nodiscard]] const std::shared_ptr<ORKTableStep>& step() const { return m_step; }
    // Whether the entries come from the server.
    [[nodiscard]] bool isRemote() const { return m_loader.has_value(); }

    // Records the entry of `row` (nothing when the row holds no entry) and goes forward.
    void select(qsizetype row);
    // A remote list resolves its URL again (emptying the entries when it changed) and fetches
    // them; a list of the document does nothing.
    void stepWillAppear();
    // Fetches a remote list's entries again.
    void loadContent();

private:
    [[nodiscard]] QString emptyMessage() const;

    std::shared_ptr<ORKTableStep> m_step;
    StepControllerDelegate& m_delegate;
    std::optional<RemoteContentLoader> m_loader;
};

}  // namespace pathloom
