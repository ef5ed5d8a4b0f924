#include "steps/DisplayStepController.h"

#include "foundation/DispatchQueue.h"
#include "network/NetworkManager.h"
#include "steps/DisplayItemRepresentation.h"
#include "steps/PathloomDisplayViewControllerError.h"
#include "steps/PathloomNetworkDisplayStep.h"
#include "steps/ReplyDecoding.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// Every word starts with a capital and goes on in lower case: "my ITEM" reads "My Item".
QString capitalized(const QString& text) {
    QString result = text.toLower();
    bool wordStart = true;
    for (QChar& character : result) {
        if (character.isSpace()) {
            wordStart = true;
        } else if (wordStart) {
            character = character.toUpper();
            wordStart = false;
        }
    }
    return result;
}

}  // namespace

std::shared_ptr<DisplayStepController> DisplayStepController::create(
    std::shared_ptr<ORKTableStep> step, StepControllerDelegate& delegate, DebugConsole console) {
    return std::shared_ptr<DisplayStepController>(
        new DisplayStepController(std::move(step), delegate, std::move(console)));
}

DisplayStepController::DisplayStepController(std::shared_ptr<ORKTableStep> step,
                                             StepControllerDelegate& delegate, DebugConsole console)
    : m_step(std::move(step)),
      m_delegate(delegate),
      m_console(std::move(console)),
      m_loader(std::dynamic_pointer_cast<PathloomNetworkDisplayStep>(m_step)
                   ? RemoteContentLoader::forStep(m_step, replies::displayItems)
                   : std::nullopt) {}

void DisplayStepController::stepWillAppear() {
    if (!m_loader) {
        return;
    }
    if (m_loader->syncURL()) {
        m_delegate.contentDidChange(kNoContent.toString());
    }
    loadContent();
}

void DisplayStepController::loadContent() {
    if (m_loader) {
        m_loader->load(m_delegate, kNoContent.toString());
    }
}

void DisplayStepController::tapButton(qsizetype row) {
    // An action may move the task on, and whoever shows the step may then drop this controller.
    const auto self = shared_from_this();
    const std::shared_ptr<DisplayItem> item = m_step->objectForRow(row).object<DisplayItem>();
    const auto representation =
        item ? DisplayItemRepresentation::representation(*item) : std::nullopt;
    const auto* button =
        representation ? representation->as<DisplayItemRepresentation::Button>() : nullptr;
    if (button == nullptr) {
        return;
    }
    const DisplayItemButtonAction& action = button->action;
    if (const auto* tap = action.as<DisplayItemButtonAction::SimpleTap>()) {
        if (tap->onSuccess) {
            handleSuccessAction(*tap->onSuccess);
        }
        m_delegate.buttonActionDidEnd();
    } else if (const auto* remote = action.as<RemoteAction>()) {
        performRemoteAction(*remote);
    } else if (const auto* modal = action.as<DisplayItemButtonAction::ModalWorkflow>()) {
        m_delegate.presentWorkflow(
            modal->workflowName, [weakSelf = weak_from_this(), onSuccess = modal->onSuccess](
                                     ORKTaskViewControllerFinishReason reason) {
                const auto self = weakSelf.lock();
                if (!self) {
                    return;
                }
                if (reason == ORKTaskViewControllerFinishReason::completed && onSuccess) {
                    self->handleSuccessAction(*onSuccess);
                }
                self->m_delegate.buttonActionDidEnd();
            });
    }
}

void DisplayStepController::handleSuccessAction(SuccessAction action) {
    switch (action) {
        case SuccessAction::none:
            break;
        case SuccessAction::reload:
            if (m_loader) {
                loadContent();
            } else {
                m_delegate.contentDidChange(std::nullopt);
            }
            break;
        case SuccessAction::backward:
            m_delegate.goBackward();
            break;
        case SuccessAction::forward:
            m_delegate.goForward();
            break;
    }
}

void DisplayStepController::performRemoteAction(const RemoteAction& action) {
    const auto self = shared_from_this();
    if (!m_loader) {
        m_delegate.showError(PathloomDisplayViewControllerError::urlActionsUnsupported());
        m_delegate.buttonActionDidEnd();
        return;
    }
    switch (action.httpMethod) {
        case HTTPMethod::put:
            send(action);
            return;
        case HTTPMethod::del: {
            const QString name = itemName();
            m_delegate.confirm({u"Delete "_s + capitalized(name),
                                u"Are you sure you want to delete this "_s + name + u'?',
                                u"Cancel"_s, u"Confirm"_s, true},
                               [weakSelf = weak_from_this(), action](bool confirmed) {
                                   const auto self = weakSelf.lock();
                                   if (!self) {
                                       return;
                                   }
                                   if (confirmed) {
                                       self->send(action);
                                   } else {
                                       self->m_delegate.buttonActionDidEnd();
                                   }
                               });
            return;
        }
        default:
            m_console.print(u"Unsupported http method: "_s + rawValue(action.httpMethod).toLower());
            m_delegate.buttonActionDidEnd();
            return;
    }
}

void DisplayStepController::send(const RemoteAction& action) {
    m_delegate.setLoading(true);
    const auto* remote = dynamic_cast<const PathloomNetworkDisplayStep*>(m_step.get());
    m_action = remote->networkManager()->data(
        action.url, action.httpMethod, DispatchQueue::main(), std::nullopt,
        [weakSelf = weak_from_this(), action](NetworkManager::DataResult body) {
            const auto self = weakSelf.lock();
            if (!self) {
                return;
            }
            self->m_action.release();
            self->m_delegate.setLoading(false);
            if (!body) {
                self->m_delegate.showError(body.error());
                self->m_delegate.buttonActionDidEnd();
                return;
            }
            if (action.httpMethod == HTTPMethod::put) {
                std::expected<QList<Value>, Error> items = replies::displayItems(*body);
                if (!items) {
                    self->m_delegate.showError(items.error());
                    self->m_delegate.buttonActionDidEnd();
                    return;
                }
                self->m_step->items = std::move(*items);
                self->m_delegate.contentDidChange(self->m_step->items.isEmpty()
                                                      ? std::optional(kNoContent.toString())
                                                      : std::nullopt);
            } else if (const auto deleted = replies::remoteDeleteResult(*body); !deleted) {
                self->m_delegate.showError(deleted.error());
                self->m_delegate.buttonActionDidEnd();
                return;
            }
            self->actionSucceeded(action.onSuccess);
        });
}

void DisplayStepController::actionSucceeded(const std::optional<SuccessAction>& onSuccess) {
    if (onSuccess) {
        handleSuccessAction(*onSuccess);
    }
    m_delegate.buttonActionDidEnd();
}

QString DisplayStepController::itemName() const { return m_step->title.value_or(u"item"_s); }

}  // namespace pathloom
