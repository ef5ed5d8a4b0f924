#include "Autopilot.h"

#include "foundation/Json.h"
#include "run/CapturedFiles.h"
#include "run/QuestionAnswers.h"
#include "run/RunError.h"
#include "run/RunReport.h"
#include "run/StepKind.h"
#include "run/WorkflowChoice.h"
#include "screens/AlertDialog.h"
#include "screens/AlertObserver.h"
#include "shell/PathloomRootViewController.h"
#include "shell/PresentationStack.h"
#include "shell/PrimaryWorkflowStyleViewController.h"
#include "shell/TaskScreens.h"
#include "taskscreens/CaptureStepViewController.h"
#include "taskscreens/ORKContinueButton.h"
#include "taskscreens/ORKFormStepViewController.h"
#include "taskscreens/ORKNavigationContainerView.h"
#include "taskscreens/ORKQuestionStepViewController.h"
#include "taskscreens/ORKSignatureStepViewController.h"
#include "taskscreens/ORKStepViewController.h"
#include "taskscreens/ORKTaskViewController.h"
#include "taskscreens/SignaturePad.h"
#include "taskscreens/answers/AnswerWidget.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// The alert on screen that has not been answered yet, if any.
AlertDialog* openAlert() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* alert = qobject_cast<AlertDialog*>(window);
        if (alert != nullptr && alert->isVisible()) {
            return alert;
        }
    }
    return nullptr;
}

}  // namespace

Autopilot::Autopilot(Options options, PathloomRootViewController& root, QTextStream& out,
                     QTextStream& err)
    : m_options(std::move(options)), m_root(root), m_err(err), m_journal(out) {
    connect(&root, &PathloomRootViewController::configurationShown, this, &Autopilot::appShown);
    connect(&AlertDialog::observer(), &AlertObserver::shown, this,
            [this](const QString&, const QString& message, const QStringList& buttons) {
                alertShown(message, buttons);
            });
}

void Autopilot::appShown() {
    if (m_walking || m_ended) {
        return;
    }
    const std::optional<Workflow> workflow =
        WorkflowChoice::find(m_root.environment().allWorkflows, m_options.workflow);
    if (!workflow) {
        m_journal.fail(RunError(
            u"The app has no workflow with the id or identifier '%1'."_s.arg(m_options.workflow)));
        end(false);
        return;
    }
    TaskScreens& screens = m_root.taskScreens();
    screens.setStepObserver([this](ORKTaskViewController& task, ORKStepViewController& step) {
        stepShown(task, step);
    });
    m_baseDepth = m_root.stack().depth();
    m_walking = true;
    static_cast<void>(screens.present(
        *workflow,
        [this](ORKTaskViewControllerFinishReason reason) {
            end(reason == ORKTaskViewControllerFinishReason::completed);
        },
        WorkflowRunner::Nesting::topLevel));
}

void Autopilot::stepShown(ORKTaskViewController& task, ORKStepViewController& step) {
    if (m_ended || !m_walking) {
        return;
    }
    if (!m_task) {
        // The first step shown after the walk began is the walked workflow's own: its screen
        // starts as it is presented.
        m_task = &task;
        connect(m_task, &ORKTaskViewController::willFinish, this, [this] {
            const std::optional<QString> session =
                m_root.environment().session->jsonRepresentation();
            const auto json = json::parse(session.value_or(u"{}"_s).toUtf8());
            m_journal.setSession(json ? json->toObject() : QJsonObject{});
        });
    }
    const qsizetype depth = std::max<qsizetype>(m_root.stack().depth() - m_baseDepth - 1, 0);
    if (!m_journal.enter(step.step(), depth)) {
        m_journal.fail(
            RunError(u"The run entered more than %1 steps: a navigation rule leads "
                     u"round in circles."_s.arg(RunJournal::kStepLimit)));
        task.finish(ORKTaskViewControllerFinishReason::failed);
        return;
    }
    // The screen is set up and shown on this pass of the event loop; a person acts after it.
    QTimer::singleShot(m_options.pauseMilliseconds, &step, [this, screen = QPointer(&step)] {
        if (screen && screen->isVisible() && !m_ended) {
            act(*screen);
        }
    });
}

void Autopilot::act(ORKStepViewController& step) {
    if (!answer(step)) {
        return;
    }
    const QAction* next = step.continueButtonItem();
    if (!step.isNavigationFooterHidden() && next->isVisible() && next->isEnabled()) {
        QTest::mouseClick(step.navigationFooterView()->continueButton(), Qt::LeftButton);
        return;
    }
    const StepKind kind = stepKind(*step.step());
    if (!step.isNavigationFooterHidden() && next->isVisible() &&
        (kind == StepKind::question || kind == StepKind::form || kind == StepKind::imageCapture ||
         kind == StepKind::signature)) {
        fail(RunError(u"The step '%1' needs an answer."_s.arg(step.step()->identifier)));
        return;
    }
    // A step that offers no way on (the last step of a workflow that cannot be left): the walk
    // goes on as the command's does.
    step.goForward();
}

bool Autopilot::answer(ORKStepViewController& step) {
    auto* question = qobject_cast<ORKQuestionStepViewController*>(&step);
    auto* form = qobject_cast<ORKFormStepViewController*>(&step);
    const ORKStep& shown = *step.step();
    const std::optional<QJsonValue> given = m_options.answers.answer(shown.identifier);
    if (!given) {
        return true;
    }
    if (auto* capturing = qobject_cast<CaptureStepViewController*>(&step)) {
        return capture(*capturing, *given);
    }
    if (question == nullptr && form == nullptr) {
        return true;
    }
    // The sheet's answer is refused as the command refuses it; only a missing answer is left to
    // the screen, whose continue stays disabled.
    if (auto results =
            QuestionAnswers::results(shown, *given, QuestionAnswers::Unanswered::allowed);
        !results) {
        fail(results.error());
        return false;
    }
    if (question != nullptr) {
        const ORKAnswerFormat& format = question->answerWidget().format();
        question->setAnswer(QuestionAnswers::fromJson(format, *given, shown.identifier).value());
        return true;
    }
    const QJsonObject items = given->toObject();
    for (auto item = items.begin(); item != items.end(); ++item) {
        if (const AnswerWidget* widget = form->answerWidget(item.key())) {
            form->setAnswer(
                item.key(),
                QuestionAnswers::fromJson(widget->format(), item.value(), item.key()).value());
        }
    }
    return true;
}

bool Autopilot::capture(CaptureStepViewController& step, const QJsonValue& given) {
    const QString& identifier = step.step()->identifier;
    if (!given.isString()) {
        fail(RunError(
            u"The answer for '%1' must be the path of an existing file."_s.arg(identifier)));
        return false;
    }
    const QString path = m_options.answers.filePath(given.toString());
    auto* signature = qobject_cast<ORKSignatureStepViewController*>(&step);
    if (signature == nullptr) {
        // A file that does not fit is refused with the error alert, which ends the walk.
        return step.useFile(path);
    }
    // A signature is drawn on the pad, once the sheet's file would do for the command too.
    if (auto picture = CapturedFiles::readPicture(path); !picture) {
        fail(picture.error());
        return false;
    }
    SignaturePad& pad = signature->pad();
    const int middle = pad.height() / 2;
    QTest::mousePress(&pad, Qt::LeftButton, {}, QPoint(pad.width() / 4, middle));
    for (int x = pad.width() / 4; x <= pad.width() * 3 / 4; x += pad.width() / 16) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, middle + (x % 3) * 8),
                         pad.mapToGlobal(QPointF(x, middle)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&pad, &move);
    }
    QTest::mouseRelease(&pad, Qt::LeftButton, {}, QPoint(pad.width() * 3 / 4, middle));
    return true;
}

void Autopilot::fail(const Error& error) {
    m_journal.fail(error);
    stop();
}

void Autopilot::stop() {
    if (m_task) {
        m_task->finish(ORKTaskViewControllerFinishReason::failed);
    } else {
        end(false);
    }
}

void Autopilot::alertShown(const QString& message, const QStringList& buttons) {
    if (m_ended) {
        return;
    }
    const bool isError = buttons.size() == 1;
    if (isError) {
        m_journal.fail(RunError(message));
    }
    // The alert opens on this pass of the event loop; it is answered after it.
    QTimer::singleShot(m_options.pauseMilliseconds, this,
                       [this, isError, choice = buttons.value(buttons.size() - 1)] {
                           answerAlert(choice);
                           if (isError) {
                               stop();
                           }
                       });
}

void Autopilot::answerAlert(const QString& choice) {
    if (AlertDialog* alert = openAlert()) {
        if (auto* button = alert->findChild<QPushButton*>(u"alertButton:"_s + choice)) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
}

void Autopilot::end(bool completed) {
    if (m_ended) {
        return;
    }
    m_ended = true;
    completed = completed && !m_journal.error();
    m_analyticsWait.start(m_root.environment().analytics, [this, completed] {
        if (const std::optional<Error>& error = m_journal.error()) {
            m_err << error->localizedDescription() << Qt::endl;
        }
        bool written = true;
        if (m_options.reportPath) {
            const auto result = RunReport::write(m_journal, completed, *m_options.reportPath);
            if (!result) {
                m_err << result.error() << Qt::endl;
                written = false;
            }
        }
        Q_EMIT finished(completed && written ? 0 : 1);
    });
}

}  // namespace pathloom
