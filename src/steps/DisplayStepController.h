#pragma once

#include "foundation/Cancellable.h"
#include "foundation/DebugConsole.h"
#include "steps/DisplayItem.h"
#include "steps/RemoteAction.h"
#include "steps/RemoteContentLoader.h"
#include "steps/StepControllerDelegate.h"
#include "steps/SuccessAction.h"
#include "taskmodel/ORKTableStep.h"

#include <memory>
#include <optional>

namespace pathloom {

// What a display page does while it is shown: runs its buttons' actions (continue, call the
// server, open a workflow) and what follows their success; a remote page fetches its items
// whenever it appears and after a successful change on the server.
//
// Reports to its delegate on the main thread. Fetches and server calls still running when the
// controller goes are cancelled; answers that come after it has gone are dropped.
class DisplayStepController : public std::enable_shared_from_this<DisplayStepController> {
public:
    static constexpr auto kNoContent = QStringView(u"No Content");

    [[nodiscard]] static std::shared_ptr<DisplayStepController> create(
        std::shared_ptr<ORKTableStep> step, StepControllerDelegate& delegate,
        DebugConsole console = {});

    [[nodiscard]] const std::shared_ptr<ORKTableStep>& step() const { return m_step; }
    // Whether the items come from the server.
    [[nodiscard]] bool isRemote() const { return m_loader.has_value(); }

    // A remote page resolves its URL again (emptying the items when it changed) and fetches them;
    // a page of the document does nothing.
    void stepWillAppear();
    // Fetches a remote page's items again.
    void loadContent();
    // Runs the action of the button in `row`; nothing happens for a row that is no button.
    void tapButton(qsizetype row);
    void handleSuccessAction(SuccessAction action);
    // A page of the document refuses every remote action; a remote page sends PUT at once and
    // DELETE once the user confirmed, and only notes any other method on the console.
    void performRemoteAction(const RemoteAction& action);

private:
    DisplayStepController(std::shared_ptr<ORKTableStep> step, StepControllerDelegate& delegate,
                          DebugConsole console);

    void send(const RemoteAction& action);
    void actionSucceeded(const std::optional<SuccessAction>& onSuccess);
    // "item" when the step has no title.
    [[nodiscard]] QString itemName() const;

    std::shared_ptr<ORKTableStep> m_step;
    StepControllerDelegate& m_delegate;
    DebugConsole m_console;
    std::optional<RemoteContentLoader> m_loader;
    Cancellable m_action;
};

}  // namespace pathloom
