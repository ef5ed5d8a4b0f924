#include "steps/ListStepController.h"

#include "session/PathloomListStepResult.h"
#include "steps/PathloomNetworkListStep.h"
#include "steps/ReplyDecoding.h"

namespace pathloom {

ListStepController::ListStepController(std::shared_ptr<ORKTableStep> step,
                                       StepControllerDelegate& delegate)
    : m_step(std::move(step)),
      m_delegate(delegate),
      m_loader(RemoteContentLoader::forStep(m_step, replies::listStepItems)) {}

void ListStepController::select(qsizetype row) {
    m_delegate.addResult(std::make_shared<PathloomListStepResult>(
        m_step->identifier, m_step->objectForRow(row).object<ListStepItem>()));
    m_delegate.goForward();
}

void ListStepController::stepWillAppear() {
    if (!m_loader) {
        return;
    }
    if (m_loader->syncURL()) {
        m_delegate.contentDidChange(emptyMessage());
    }
    loadContent();
}

void ListStepController::loadContent() {
    if (m_loader) {
        m_loader->load(m_delegate, emptyMessage());
    }
}

QString ListStepController::emptyMessage() const {
    const auto* remote = dynamic_cast<const PathloomNetworkListStep*>(m_step.get());
    return remote != nullptr && remote->emptyText() ? *remote->emptyText() : kNoContent.toString();
}

}  // namespace pathloom
