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
#include "screens/CustomButton.h"
#include "screens/PagePicker.h"
#include "screens/PathloomDisplayViewController.h"
#include "screens/PathloomDocumentCaptureViewController.h"
#include "screens/PathloomEmailViewController.h"
#include "screens/PathloomListViewController.h"
#include "screens/PathloomNetworkDisplayViewController.h"
#include "screens/PathloomNetworkListViewController.h"
#include "screens/PathloomPDFViewController.h"
#include "shell/PathloomRootViewController.h"
#include "shell/PresentationStack.h"
#include "shell/PrimaryWorkflowStyleViewController.h"
#include "shell/TaskScreens.h"
#include "steps/ListStepItem.h"
#include "taskscreens/CaptureStepViewController.h"
#include "taskscreens/ORKContinueButton.h"
#include "taskscreens/ORKFormStepViewController.h"
#include "taskscreens/ORKNavigationContainerView.h"
#include "taskscreens/ORKQuestionStepViewController.h"
#include "taskscreens/ORKSignatureStepViewController.h"
#include "taskscreens/ORKStepViewController.h"
#include "taskscreens/ORKTableView.h"
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
    QApplication::instance()->installEventFilter(this);
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
            const std::optional<QByteArray> session =
                m_root.environment().session->jsonRepresentation();
            const auto json = json::parse(session.value_or("{}"));
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
    switch (stepKind(*step.step())) {
        case StepKind::network:
        case StepKind::simulatedNetwork:
            // They move on by themselves; a failure opens the error alert, which ends the walk.
            return;
        case StepKind::list:
        case StepKind::remoteList:
            afterContent(step, [this](ORKStepViewController& list) { chooseListEntry(list); });
            return;
        case StepKind::email:
            if (auto* email = qobject_cast<PathloomEmailViewController*>(&step)) {
                QTest::mouseClick(email->button(), Qt::LeftButton);
                return;
            }
            break;
        case StepKind::pdf:
            readDocument(step);
            return;
        case StepKind::documentCapture:
            scanPages(step);
            return;
        case StepKind::display:
        case StepKind::remoteDisplay:
            afterContent(step, [this](ORKStepViewController& page) {
                pressButtons(
                    page, m_options.answers.texts(page.step()->identifier).value_or(QStringList{}));
            });
            return;
        default:
            break;
    }
    if (!answer(step)) {
        return;
    }
    goOn(step);
}

void Autopilot::goOn(ORKStepViewController& step) {
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
    // A step that offers no way on (the last step of a workflow that cannot be left, a page
    // whose buttons the sheet does not press): the walk goes on as the command's does.
    step.goForward();
}

void Autopilot::readDocument(ORKStepViewController& step) {
    auto* pdf = qobject_cast<PathloomPDFViewController*>(&step);
    if (pdf == nullptr || step.continueButtonItem()->isEnabled()) {
        goOn(step);
        return;
    }
    // A document that cannot be shown opens the error alert, which ends the walk instead.
    connect(
        pdf, &PathloomPDFViewController::documentShown, this,
        [this, screen = QPointer(&step)] {
            QTimer::singleShot(m_options.pauseMilliseconds, this, [this, screen] {
                if (screen && screen->isVisible() && !m_ended && !m_journal.error()) {
                    goOn(*screen);
                }
            });
        },
        Qt::SingleShotConnection);
}

void Autopilot::scanPages(ORKStepViewController& step) {
    const QString& identifier = step.step()->identifier;
    const std::optional<QStringList> paths = m_options.answers.texts(identifier);
    auto* capture = qobject_cast<PathloomDocumentCaptureViewController*>(&step);
    PagePicker* picker = capture ? capture->pagePicker() : nullptr;
    if (!paths || picker == nullptr) {
        if (m_options.answers.answer(identifier)) {
            fail(RunError(u"The answer for '%1' must be a picture's path or a list of them."_s.arg(
                identifier)));
            return;
        }
        step.goForward();
        return;
    }
    QStringList files;
    for (const QString& path : *paths) {
        // The command refuses a missing file with the words the picker would not find.
        if (auto page = CapturedFiles::readPicture(m_options.answers.filePath(path)); !page) {
            fail(page.error());
            return;
        }
        files.append(m_options.answers.filePath(path));
    }
    picker->addFiles(files);
    if (auto* save = picker->findChild<QPushButton*>(u"pagePicker:Save"_s)) {
        QTest::mouseClick(save, Qt::LeftButton);
    }
}

void Autopilot::sendMail(QWidget& composer) {
    if (auto* send = composer.findChild<QPushButton*>(u"mailComposer:Send"_s)) {
        QTest::mouseClick(send, Qt::LeftButton);
    }
}

bool Autopilot::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && m_walking && !m_ended &&
        watched->objectName() == u"mailComposer"_s && watched->isWidgetType()) {
        QTimer::singleShot(m_options.pauseMilliseconds, this,
                           [this, composer = QPointer(static_cast<QWidget*>(watched))] {
                               if (composer && composer->isVisible() && !m_ended) {
                                   sendMail(*composer);
                               }
                           });
    }
    return QObject::eventFilter(watched, event);
}

void Autopilot::afterContent(ORKStepViewController& step,
                             std::function<void(ORKStepViewController&)> action) {
    const auto later = [this, action, screen = QPointer(&step)] {
        // A failed fetch has opened its alert by now, which ends the walk instead.
        QTimer::singleShot(m_options.pauseMilliseconds, this, [this, action, screen] {
            if (screen && screen->isVisible() && !m_ended && !m_journal.error()) {
                action(*screen);
            }
        });
    };
    if (auto* list = qobject_cast<PathloomNetworkListViewController*>(&step);
        list != nullptr && list->isLoadingContent()) {
        connect(list, &PathloomNetworkListViewController::contentLoaded, this, later,
                Qt::SingleShotConnection);
    } else if (auto* page = qobject_cast<PathloomNetworkDisplayViewController*>(&step);
               page != nullptr && page->isLoadingContent()) {
        connect(page, &PathloomNetworkDisplayViewController::contentLoaded, this, later,
                Qt::SingleShotConnection);
    } else {
        action(step);
    }
}

void Autopilot::chooseListEntry(ORKStepViewController& step) {
    const QString& identifier = step.step()->identifier;
    const std::optional<QJsonValue> answer = m_options.answers.answer(identifier);
    auto* list = qobject_cast<PathloomListViewController*>(&step);
    if (!answer || list == nullptr) {
        step.goForward();
        return;
    }
    const ORKTableView& table = list->tableView();
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        const auto item = list->tableStep().objectForRow(row).object<ListStepItem>();
        if (item && QString::number(item->id) == AnswerSheet::text(*answer)) {
            QTest::mouseClick(table.cellForRow(row), Qt::LeftButton);
            return;
        }
    }
    fail(RunError(u"The list '%1' has no entry with the id %2."_s.arg(identifier,
                                                                      AnswerSheet::text(*answer))));
}

void Autopilot::pressButtons(ORKStepViewController& step, QStringList labels) {
    auto* page = qobject_cast<PathloomDisplayViewController*>(&step);
    if (labels.isEmpty() || page == nullptr) {
        goOn(step);
        return;
    }
    const QString label = labels.takeFirst();
    CustomButton* button = page->button(label);
    if (button == nullptr) {
        fail(RunError(
            u"The page '%1' has no button labelled \"%2\"."_s.arg(step.step()->identifier, label)));
        return;
    }
    // A button that leaves the user on the page is followed by the next label of the sheet.
    connect(
        page, &PathloomDisplayViewController::buttonActionEnded, this,
        [this, screen = QPointer(&step), labels] {
            QTimer::singleShot(m_options.pauseMilliseconds, this, [this, screen, labels] {
                if (screen && screen->isVisible() && !m_ended && !m_journal.error() &&
                    screen->result()) {
                    pressButtons(*screen, labels);
                }
            });
        },
        Qt::SingleShotConnection);
    QTest::mouseClick(button, Qt::LeftButton);
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
