#include "CommandStepActor.h"

#include "foundation/Json.h"
#include "run/QuestionAnswers.h"
#include "run/RunError.h"
#include "steps/DisplayItem.h"
#include "steps/DisplayItemRepresentation.h"
#include "steps/DisplayStepController.h"
#include "steps/DocumentCaptureController.h"
#include "steps/EmailStepController.h"
#include "steps/ListStepController.h"
#include "steps/ListStepItem.h"
#include "steps/PdfStepController.h"

#include <QImageReader>

namespace pathloom {

using namespace Qt::StringLiterals;

CommandStepActor::CommandStepActor(Context& context, Completion completion, qsizetype depth)
    : m_context(context), m_completion(std::move(completion)), m_depth(depth) {}

void CommandStepActor::start(const Workflow& workflow, WorkflowRunner::Environment& environment) {
    m_runner =
        WorkflowRunner::create(workflow, environment, *this, WorkflowRunner::Nesting::topLevel);
    m_runner->start();
}

void CommandStepActor::stepDidEnter(const std::shared_ptr<ORKStep>& step) {
    m_awaitingContent = false;
    m_labels.clear();
    m_controller = {};
    if (!m_context.journal.enter(step, m_depth)) {
        m_runner->later([this] {
            fail(
                RunError(u"The run entered more than %1 steps: a navigation rule leads "
                         u"round in circles."_s.arg(RunJournal::kStepLimit)));
        });
        return;
    }
    const auto stepResult = m_runner->currentStepResult();
    m_controller =
        StepController::make(step, *this, m_context.services,
                             stepResult && stepResult->startDate ? *stepResult->startDate
                                                                 : QDateTime::currentDateTimeUtc());
    m_runner->later([this] { act(); });
}

void CommandStepActor::runWillFinish(ORKTaskViewControllerFinishReason) {
    if (m_depth > 0) {
        return;
    }
    const std::optional<QByteArray> session = m_runner->environment().session->jsonRepresentation();
    const auto json = json::parse(session.value_or("{}"));
    m_context.journal.setSession(json ? json->toObject() : QJsonObject{});
}

void CommandStepActor::runDidFinish(ORKTaskViewControllerFinishReason reason,
                                    const std::optional<Error>&) {
    m_controller = {};
    m_completion(reason);
}

void CommandStepActor::addResult(std::shared_ptr<ORKResult> result) {
    m_runner->addResult(std::move(result));
}

void CommandStepActor::goForward() { m_runner->goForward(); }

void CommandStepActor::goBackward() { m_runner->goBackward(); }

void CommandStepActor::showError(const Error& error) { fail(error); }

void CommandStepActor::contentLoadingChanged(bool loading) {
    if (loading || !m_awaitingContent) {
        return;
    }
    m_awaitingContent = false;
    // A failed fetch reports its error right after this; it ends the run before the answer is
    // looked up.
    m_runner->later([this] {
        if (m_controller.list()) {
            chooseListEntry();
        } else {
            pressNextButton();
        }
    });
}

void CommandStepActor::buttonActionDidEnd() {
    // A button that leaves the user on the page is followed by the next label of the sheet, and
    // after the last one by the page's own way on.
    m_runner->later([this] { pressNextButton(); });
}

void CommandStepActor::documentDidLoad(const QUrl&, const QByteArray&) { goForward(); }

void CommandStepActor::confirm(const Confirmation&, std::function<void(bool)> answer) {
    answer(true);
}

void CommandStepActor::presentWorkflow(const QString& name, Completion completion) {
    m_nested = std::make_unique<CommandStepActor>(
        m_context,
        [this, completion = std::move(completion)](ORKTaskViewControllerFinishReason reason) {
            if (const std::optional<Error>& error = m_context.journal.error()) {
                fail(*error);
                return;
            }
            completion(reason);
        },
        m_depth + 1);
    auto nested = m_runner->openNested(name, *m_nested);
    if (!nested) {
        m_nested.reset();
        fail(nested.error());
        return;
    }
    m_nested->m_runner = std::move(*nested);
    m_nested->m_runner->start();
}

void CommandStepActor::act() {
    const QString& identifier = m_runner->currentStep()->identifier;
    m_labels = m_context.answers.texts(identifier).value_or(QStringList{});
    switch (m_controller.kind()) {
        case StepKind::network:
        case StepKind::simulatedNetwork:
        case StepKind::pdf:
            m_controller.stepWillAppear();
            return;
        case StepKind::list:
            chooseListEntry();
            return;
        case StepKind::display:
            pressNextButton();
            return;
        case StepKind::remoteList:
        case StepKind::remoteDisplay:
            m_awaitingContent = true;
            m_controller.stepWillAppear();
            return;
        case StepKind::email:
            m_context.outbox.setBaseName(identifier);
            m_controller.email()->openEmail();
            return;
        case StepKind::documentCapture:
            scanPages();
            return;
        case StepKind::question:
        case StepKind::form:
            answerQuestion();
            return;
        case StepKind::imageCapture:
        case StepKind::videoCapture:
        case StepKind::signature:
            recordCapture();
            return;
        default:
            goForward();
    }
}

void CommandStepActor::chooseListEntry() {
    const QString& identifier = m_runner->currentStep()->identifier;
    const std::optional<QJsonValue> answer = m_context.answers.answer(identifier);
    if (!answer) {
        goForward();
        return;
    }
    ListStepController& list = *m_controller.list();
    const QList<Value>& items = list.step()->items;
    for (qsizetype row = 0; row < items.size(); ++row) {
        const auto item = items[row].object<ListStepItem>();
        if (item && QString::number(item->id) == AnswerSheet::text(*answer)) {
            list.select(row);
            return;
        }
    }
    fail(RunError(u"The list '%1' has no entry with the id %2."_s.arg(identifier,
                                                                      AnswerSheet::text(*answer))));
}

void CommandStepActor::pressNextButton() {
    if (m_labels.isEmpty()) {
        goForward();
        return;
    }
    const QString label = m_labels.takeFirst();
    DisplayStepController& display = *m_controller.display();
    const QList<Value>& items = display.step()->items;
    for (qsizetype row = 0; row < items.size(); ++row) {
        const auto item = items[row].object<DisplayItem>();
        const auto shown = item ? DisplayItemRepresentation::representation(*item) : std::nullopt;
        const auto* button = shown ? shown->as<DisplayItemRepresentation::Button>() : nullptr;
        if (button != nullptr && button->label == label) {
            display.tapButton(row);
            return;
        }
    }
    fail(RunError(
        u"The page '%1' has no button labelled \"%2\"."_s.arg(display.step()->identifier, label)));
}

void CommandStepActor::answerQuestion() {
    const ORKStep& step = *m_runner->currentStep();
    const std::optional<QJsonValue> answer = m_context.answers.answer(step.identifier);
    if (!answer) {
        if (m_context.strict && QuestionAnswers::isRequired(step)) {
            fail(RunError(u"The step '%1' needs an answer."_s.arg(step.identifier)));
            return;
        }
        goForward();
        return;
    }
    auto results =
        QuestionAnswers::results(step, *answer,
                                 m_context.strict ? QuestionAnswers::Unanswered::refused
                                                  : QuestionAnswers::Unanswered::allowed);
    if (!results) {
        fail(results.error());
        return;
    }
    for (std::shared_ptr<ORKResult>& result : *results) {
        addResult(std::move(result));
    }
    goForward();
}

void CommandStepActor::recordCapture() {
    const ORKStep& step = *m_runner->currentStep();
    const std::optional<QJsonValue> answer = m_context.answers.answer(step.identifier);
    if (!answer) {
        goForward();
        return;
    }
    if (!answer->isString()) {
        fail(RunError(
            u"The answer for '%1' must be the path of an existing file."_s.arg(step.identifier)));
        return;
    }
    auto result =
        m_context.files.store(step.identifier, m_context.answers.filePath(answer->toString()),
                              CapturedFiles::need(step).value_or(CapturedFiles::Need::anyFile));
    if (!result) {
        fail(result.error());
        return;
    }
    addResult(std::move(*result));
    goForward();
}

void CommandStepActor::scanPages() {
    const QString& identifier = m_runner->currentStep()->identifier;
    const std::optional<QStringList> paths = m_context.answers.texts(identifier);
    if (!paths) {
        if (m_context.answers.answer(identifier)) {
            fail(RunError(u"The answer for '%1' must be a picture's path or a list of them."_s.arg(
                identifier)));
            return;
        }
        goForward();
        return;
    }
    QList<QImage> pages;
    for (const QString& path : *paths) {
        auto page = CapturedFiles::readPicture(m_context.answers.filePath(path));
        if (!page) {
            fail(page.error());
            return;
        }
        pages.append(std::move(*page));
    }
    m_controller.documentCapture()->pagesScanned(std::move(pages));
}

void CommandStepActor::fail(const Error& error) {
    m_context.journal.fail(error);
    m_runner->finish(ORKTaskViewControllerFinishReason::failed, error);
}

}  // namespace pathloom
