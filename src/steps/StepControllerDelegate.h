#pragma once

#include "foundation/Error.h"
#include "taskmodel/ORKResult.h"
#include "taskmodel/ORKTaskRun.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

namespace pathloom {

// What a step controller asks of whoever shows its step: a step screen, or a run without screens.
// Every call comes on the main thread. The controller's owner is its delegate and outlives it.
class StepControllerDelegate {
public:
    // The question asked before a destructive remote action.
    struct Confirmation {
        QString title;
        QString message;
        QString cancelTitle;
        QString confirmTitle;
        bool destructive = false;
    };

    virtual ~StepControllerDelegate() = default;

    // Adds what the step recorded to the step's result.
    virtual void addResult(std::shared_ptr<ORKResult> result) = 0;
    virtual void goForward() = 0;
    virtual void goBackward() = 0;
    // An error the user is told about, in an alert on screen.
    virtual void showError(const Error& error) = 0;

    // Whether the step waits for the server: a network step's post, a remote action.
    virtual void setLoading(bool /*loading*/) {}
    // The step's items were fetched anew. `emptyMessage` is what to show while there are none.
    virtual void contentDidChange(const std::optional<QString>& /*emptyMessage*/) {}
    // A fetch of the step's items started or ended, whatever its outcome.
    virtual void contentLoadingChanged(bool /*loading*/) {}
    // A button's action has run to its end: applied, failed, or declined by the user.
    virtual void buttonActionDidEnd() {}
    // A document to show has arrived: the bytes of the PDF fetched from `url`.
    virtual void documentDidLoad(const QUrl& /*url*/, const QByteArray& /*bytes*/) {}

    // Asks the user; `answer` receives true when the user confirmed.
    virtual void confirm(const Confirmation& confirmation, std::function<void(bool)> answer) = 0;
    // Shows the workflow of that name over the step; `completion` receives how its task ended.
    virtual void presentWorkflow(
        const QString& name, std::function<void(ORKTaskViewControllerFinishReason)> completion) = 0;
};

}  // namespace pathloom
