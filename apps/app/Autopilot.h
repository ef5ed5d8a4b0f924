#pragma once

#include "run/AnalyticsWait.h"
#include "run/AnswerSheet.h"
#include "run/RunJournal.h"

#include <QJsonValue>
#include <QObject>
#include <QPointer>
#include <QTextStream>
#include <functional>
#include <optional>

namespace pathloom {

class CaptureStepViewController;
class ORKStepViewController;
class PathloomDisplayViewController;
class PathloomListViewController;
class ORKTaskViewController;
class PathloomRootViewController;
struct AppConfiguration;

// Walks one workflow of the shown app on the real screens, as a person holding an answer sheet
// would, with Qt's test events: it opens the workflow over the app's screen once the app is shown,
// gives each question and form the sheet's answers through their widgets, presses continue on
// each step, says yes to confirmations, and ends the walk as failed at the first error alert,
// which it closes, at an answer the sheet gets wrong (with the words of `pathloom run`), and at a
// question that cannot go on without an answer the sheet does not give. It records what it saw as
// `pathloom run` does, and writes the same report.
//
// Main thread only; the root outlives it.
class Autopilot : public QObject {
    Q_OBJECT

public:
    struct Options {
        // A workflow id, else a workflow identifier.
        QString workflow;
        AnswerSheet answers;
        std::optional<QString> reportPath;
        // How long to look at each step before acting on it, as when every screen is to be
        // photographed.
        int pauseMilliseconds = 0;
    };

    Autopilot(Options options, PathloomRootViewController& root, QTextStream& out,
              QTextStream& err);

Q_SIGNALS:
    // The walk has ended and its report is written: 0 when the workflow completed, else 1.
    void finished(int status);

private:
    void appShown();
    void stepShown(ORKTaskViewController& task, ORKStepViewController& step);
    void act(ORKStepViewController& step);
    // Runs `action` on `step` once its content has been fetched, at once for content of the
    // document.
    void afterContent(ORKStepViewController& step,
                      std::function<void(ORKStepViewController&)> action);
    // Chooses the entry the sheet names, by its id.
    void chooseListEntry(ORKStepViewController& step);
    // Presses the first of `labels` on the page, then the others each once the one before has
    // ended its action; with none left, goes on as the command does.
    void pressButtons(ORKStepViewController& step, QStringList labels);
    // Presses continue (or goes on) for a step that offers it by itself.
    void goOn(ORKStepViewController& step);
    // Presses continue once the PDF step shows its document.
    void readDocument(ORKStepViewController& step);
    // Adds the sheet's pictures as the scanned pages and saves them.
    void scanPages(ORKStepViewController& step);
    // Sends the message the mail composer shows, as it is.
    void sendMail(QWidget& composer);

protected:
    // Hears the mail composer open, wherever it opens.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Puts the sheet's answer to a question or form step into its widgets; false when the sheet's
    // answer does not fit the step, which ends the walk.
    [[nodiscard]] bool answer(ORKStepViewController& step);
    // Gives an image capture the sheet's picture file, or signs a signature pad; false when the
    // sheet's file does not fit the step, which ends the walk.
    [[nodiscard]] bool capture(CaptureStepViewController& step, const QJsonValue& given);
    void fail(const Error& error);
    // Ends the walk as failed.
    void stop();
    void alertShown(const QString& message, const QStringList& buttons);
    // Presses the button titled `choice` of the alert on screen.
    void answerAlert(const QString& choice);
    void end(bool completed);

    Options m_options;
    PathloomRootViewController& m_root;
    QTextStream& m_err;
    RunJournal m_journal;
    bool m_walking = false;
    // The walked workflow's screen, once its first step shows.
    QPointer<ORKTaskViewController> m_task;
    // How many screens the stack held under the walked workflow: nested workflows are deeper.
    qsizetype m_baseDepth = 0;
    bool m_ended = false;
    AnalyticsWait m_analyticsWait;
};

}  // namespace pathloom
