#include "WorkflowRun.h"

#include "analytics/AppEvent.h"
#include "foundation/DispatchQueue.h"
#include "foundation/Json.h"
#include "steps/DisplayItemRepresentation.h"
#include "steps/DisplayStep.h"
#include "steps/ListStep.h"
#include "steps/ListStepItem.h"
#include "steps/PathloomNetworkStep.h"
#include "steps/PathloomSimulateNetworkStep.h"
#include "steps/WorkflowPresentationError.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// An answer as its user wrote it: a text as it is, a number in its shortest form (3, not 3.0).
QString text(const QJsonValue& answer) {
    return answer.isDouble() ? QString::number(answer.toDouble(), 'g', 17) : answer.toString();
}

}  // namespace

std::shared_ptr<WorkflowRun> WorkflowRun::create(Workflow workflow, Environment& environment,
                                                 Completion completion, qsizetype depth) {
    return std::shared_ptr<WorkflowRun>(
        new WorkflowRun(std::move(workflow), environment, std::move(completion), depth));
}

WorkflowRun::WorkflowRun(Workflow workflow, Environment& environment, Completion completion,
                         qsizetype depth)
    : m_workflow(std::move(workflow)),
      m_environment(environment),
      m_completion(std::move(completion)),
      m_depth(depth),
      m_run(m_workflow.task, *this),
      m_recorder(environment.session, depth == 0 ? SessionRecorder::AfterFinish::empty
                                                 : SessionRecorder::AfterFinish::restored) {}

void WorkflowRun::start() {
    m_environment.analytics.log(AppEvent::workflowOpened(m_workflow.id));
    m_run.start();
}

void WorkflowRun::stepWillAppear(const ORKStep& step) {
    ++m_visit;
    m_awaitingContent = false;
    m_network.reset();
    m_simulated.reset();
    m_list.reset();
    m_display.reset();
    if (!m_environment.journal.enter(m_run.currentStep(), m_depth)) {
        later([](WorkflowRun& run) {
            run.fail(
                RunError(u"The run entered more than %1 steps: a navigation rule leads "
                         u"round in circles."_s.arg(RunJournal::kStepLimit)));
        });
        return;
    }
    m_environment.analytics.log(AppEvent::stepOpened(m_workflow.id, step.identifier));
    later([](WorkflowRun& run) { run.act(); });
}

void WorkflowRun::stepWillDisappear(const ORKStep& step, const ORKStepResult& result,
                                    ORKStepViewControllerNavigationDirection direction) {
    m_recorder.stepWillDisappear(step, result, direction);
}

void WorkflowRun::didFinish(ORKTaskViewControllerFinishReason reason,
                            const std::optional<Error>& error) {
    if (m_depth == 0) {
        const std::optional<QString> session = m_environment.session->jsonRepresentation();
        const auto json = json::parse(session.value_or(u"{}"_s).toUtf8());
        m_environment.journal.setSession(json ? json->toObject() : QJsonObject{});
    }
    m_recorder.didFinish(reason, error);
    DispatchQueue::main()->async([weakSelf = weak_from_this(), reason] {
        if (const auto self = weakSelf.lock()) {
            self->m_completion(reason);
        }
    });
}

void WorkflowRun::addResult(std::shared_ptr<ORKResult> result) {
    m_run.addResult(std::move(result));
}

void WorkflowRun::goForward() {
    later([](WorkflowRun& run) { run.m_run.goForward(); });
}

void WorkflowRun::goBackward() {
    later([](WorkflowRun& run) { run.m_run.goBackward(); });
}

void WorkflowRun::showError(const Error& error) { fail(error); }

void WorkflowRun::contentLoadingChanged(bool loading) {
    if (loading || !m_awaitingContent) {
        return;
    }
    m_awaitingContent = false;
    // A failed fetch reports its error right after this; it ends the run before the answer is
    // looked up.
    later([](WorkflowRun& run) { run.actOnContent(); });
}

void WorkflowRun::buttonActionDidEnd() {
    // A button that leaves the user on the page is followed by the page's own way on.
    later([](WorkflowRun& run) { run.m_run.goForward(); });
}

void WorkflowRun::confirm(const Confirmation&, std::function<void(bool)> answer) { answer(true); }

void WorkflowRun::presentWorkflow(
    const QString& name, std::function<void(ORKTaskViewControllerFinishReason)> completion) {
    const QList<Workflow>& workflows = m_environment.configuration.tasks;
    const auto found = std::find_if(workflows.begin(), workflows.end(),
                                    [&](const Workflow& w) { return w.name && *w.name == name; });
    if (found == workflows.end()) {
        fail(WorkflowPresentationError::workflowNotFound(name));
        return;
    }
    m_presented = create(
        *found, m_environment,
        [weakSelf = weak_from_this(),
         completion = std::move(completion)](ORKTaskViewControllerFinishReason reason) {
            const auto self = weakSelf.lock();
            if (!self) {
                return;
            }
            if (const std::optional<Error>& error = self->m_environment.journal.error()) {
                self->fail(*error);
                return;
            }
            completion(reason);
        },
        m_depth + 1);
    m_presented->start();
}

void WorkflowRun::later(std::function<void(WorkflowRun&)> work) {
    DispatchQueue::main()->async(
        [weakSelf = weak_from_this(), visit = m_visit, work = std::move(work)] {
            const auto self = weakSelf.lock();
            if (self && !self->m_run.isFinished() && self->m_visit == visit) {
                work(*self);
            }
        });
}

void WorkflowRun::act() {
    const std::shared_ptr<ORKStep>& step = m_run.currentStep();
    if (auto network = std::dynamic_pointer_cast<PathloomNetworkStep>(step)) {
        m_network = NetworkStepController::create(std::move(network), *this);
        m_network->start();
        return;
    }
    if (std::dynamic_pointer_cast<PathloomSimulateNetworkStep>(step)) {
        m_simulated.emplace(step, *this);
        m_simulated->stepWillAppear();
        return;
    }
    const auto table = std::dynamic_pointer_cast<ORKTableStep>(step);
    if (table && dynamic_cast<const ListStep*>(table.get()) != nullptr) {
        m_list.emplace(table, *this);
        if (!m_list->isRemote()) {
            chooseListEntry();
            return;
        }
        m_awaitingContent = true;
        m_list->stepWillAppear();
        return;
    }
    if (table && dynamic_cast<const DisplayStep*>(table.get()) != nullptr) {
        m_display = DisplayStepController::create(table, *this);
        if (!m_display->isRemote()) {
            pressButton();
            return;
        }
        m_awaitingContent = true;
        m_display->stepWillAppear();
        return;
    }
    recordAnswers();
}

void WorkflowRun::actOnContent() {
    if (m_list) {
        chooseListEntry();
    } else if (m_display) {
        pressButton();
    }
}

void WorkflowRun::chooseListEntry() {
    const QString& identifier = m_list->step()->identifier;
    const std::optional<QJsonValue> answer = m_environment.answers.answer(identifier);
    if (!answer) {
        m_run.goForward();
        return;
    }
    const QList<Value>& items = m_list->step()->items;
    for (qsizetype row = 0; row < items.size(); ++row) {
        const auto item = items[row].object<ListStepItem>();
        if (item && QString::number(item->id) == text(*answer)) {
            m_list->select(row);
            return;
        }
    }
    fail(RunError(u"The list '%1' has no entry with the id %2."_s.arg(identifier, text(*answer))));
}

void WorkflowRun::pressButton() {
    const QString& identifier = m_display->step()->identifier;
    const std::optional<QJsonValue> answer = m_environment.answers.answer(identifier);
    if (!answer) {
        m_run.goForward();
        return;
    }
    const QList<Value>& items = m_display->step()->items;
    for (qsizetype row = 0; row < items.size(); ++row) {
        const auto item = items[row].object<DisplayItem>();
        const auto shown = item ? DisplayItemRepresentation::representation(*item) : std::nullopt;
        const auto* button = shown ? shown->as<DisplayItemRepresentation::Button>() : nullptr;
        if (button != nullptr && button->label == text(*answer)) {
            m_display->tapButton(row);
            return;
        }
    }
    fail(
        RunError(u"The page '%1' has no button labelled \"%2\"."_s.arg(identifier, text(*answer))));
}

void WorkflowRun::recordAnswers() {
    auto results =
        m_environment.answers.results(*m_run.currentStep(), m_environment.filesDirectory);
    if (!results) {
        fail(results.error());
        return;
    }
    for (std::shared_ptr<ORKResult>& result : *results) {
        m_run.addResult(std::move(result));
    }
    m_run.goForward();
}

void WorkflowRun::fail(const Error& error) {
    m_environment.journal.fail(error);
    m_run.finish(ORKTaskViewControllerFinishReason::failed, error);
}

}  // namespace pathloom
