#pragma once

#include "steps/StepControllerDelegate.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace pathloom::test {

// Records what a step controller asks of its step's screen, in order, as short texts ("forward",
// "error: <text>", "loading", ...), and keeps what came with the calls.
class RecordingDelegate : public StepControllerDelegate {
public:
    void addResult(std::shared_ptr<ORKResult> result) override;
    void goForward() override;
    void goBackward() override;
    void showError(const Error& error) override;
    void setLoading(bool loading) override;
    void contentDidChange(const std::optional<QString>& emptyMessage) override;
    void buttonActionDidEnd() override;
    void documentDidLoad(const QUrl& url, const QByteArray& bytes) override;
    // Answers with `confirms`.
    void confirm(const Confirmation& confirmation, std::function<void(bool)> answer) override;
    // Ends the presented workflow at once with `presentedOutcome`.
    void presentWorkflow(const QString& name,
                         std::function<void(ORKTaskViewControllerFinishReason)> done) override;

    // Whether the last call ends what the controller was doing.
    [[nodiscard]] bool ended() const;

    QStringList events;
    QList<std::shared_ptr<ORKResult>> results;
    QList<Error> errors;
    QList<Confirmation> confirmations;
    QList<QByteArray> documents;
    bool confirms = true;
    ORKTaskViewControllerFinishReason presentedOutcome =
        ORKTaskViewControllerFinishReason::completed;
};

}  // namespace pathloom::test
