#include "steps/ListStepController.h"

#include "network/URLError.h"
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
    if (!m_loader) {
        return;
    }
    m_delegate.contentLoadingChanged(true);
    // The loader is a member: dropping the controller cancels the fetch and this never runs.
    m_loader->load([this](std::expected<void, Error> outcome) {
        m_delegate.contentLoadingChanged(false);
        if (outcome) {
            m_delegate.contentDidChange(m_step->items.isEmpty() ? std::optional(emptyMessage())
                                                                : std::nullopt);
            return;
        }
        const auto* urlError = outcome.error().as<URLError>();
        if (urlError != nullptr && urlError->code() == URLError::badURL) {
            return;
        }
        m_delegate.showError(outcome.error());
    });
}

QString ListStepController::emptyMessage() const {
    const auto* remote = dynamic_cast<const PathloomNetworkListStep*>(m_step.get());
    return remote != nullptr && remote->emptyText() ? *remote->emptyText() : kNoContent.toString();
}

}  // namespace pathloom
