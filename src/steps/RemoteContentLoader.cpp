#include "steps/RemoteContentLoader.h"

#include "foundation/DispatchQueue.h"
#include "network/NetworkManager.h"
#include "network/URLError.h"

namespace pathloom {

std::optional<RemoteContentLoader> RemoteContentLoader::forStep(
    const std::shared_ptr<ORKTableStep>& step, Decode decode) {
    auto* source = dynamic_cast<SyncableContentSource*>(step.get());
    const auto* remote = dynamic_cast<const RemoteContentStep*>(step.get());
    if (source == nullptr || remote == nullptr) {
        return std::nullopt;
    }
    return RemoteContentLoader(step, *source, *remote, std::move(decode));
}

RemoteContentLoader::RemoteContentLoader(std::shared_ptr<ORKTableStep> step,
                                         SyncableContentSource& source,
                                         const RemoteContentStep& remote, Decode decode)
    : m_step(std::move(step)), m_source(&source), m_remote(&remote), m_decode(std::move(decode)) {}

bool RemoteContentLoader::syncURL() {
    const std::optional<QString> urlTemplate = m_remote->contentURL();
    const std::optional<QUrl> resolved =
        urlTemplate ? m_remote->networkManager()->url(*urlTemplate) : std::nullopt;
    if (resolved == m_source->resolvedURL()) {
        return false;
    }
    m_source->setResolvedURL(resolved);
    m_step->items.clear();
    return true;
}

void RemoteContentLoader::load(Completion completion) {
    const std::optional<QString> url = m_remote->contentURL();
    if (!url) {
        m_load.cancel();
        completion(std::unexpected(URLError(URLError::badURL)));
        return;
    }
    m_load = m_remote->networkManager()->data(
        *url, HTTPMethod::get, DispatchQueue::main(), std::nullopt,
        // The step owns the client that holds this completion until the reply is gone; holding
        // the step weakly keeps that from becoming a cycle that outlives everything else.
        [weakStep = std::weak_ptr(m_step), decode = m_decode,
         completion = std::move(completion)](NetworkManager::DataResult body) {
            const auto step = weakStep.lock();
            if (!step) {
                return;
            }
            if (!body) {
                completion(std::unexpected(body.error()));
                return;
            }
            std::expected<QList<Value>, Error> items = decode(*body);
            if (!items) {
                completion(std::unexpected(items.error()));
                return;
            }
            step->items = std::move(*items);
            completion({});
        });
}

void RemoteContentLoader::load(StepControllerDelegate& delegate, const QString& emptyMessage) {
    delegate.contentLoadingChanged(true);
    // Dropping the loader cancels the fetch, and this never runs.
    load([this, &delegate, emptyMessage](std::expected<void, Error> outcome) {
        delegate.contentLoadingChanged(false);
        if (outcome) {
            delegate.contentDidChange(m_step->items.isEmpty() ? std::optional(emptyMessage)
                                                              : std::nullopt);
            return;
        }
        const auto* urlError = outcome.error().as<URLError>();
        if (urlError != nullptr && urlError->code() == URLError::badURL) {
            return;
        }
        delegate.showError(outcome.error());
    });
}

}  // namespace pathloom
