#pragma once

#include "steps/RemoteAction.h"
#include "steps/SuccessAction.h"

#include <QString>
#include <optional>
#include <utility>
#include <variant>

namespace pathloom {

// What a display page's button does: continue on the page, call the server, or open another
// workflow modally.
class DisplayItemButtonAction {
public:
    struct SimpleTap {
        std::optional<SuccessAction> onSuccess;
        friend bool operator==(const SimpleTap&, const SimpleTap&) = default;
    };
    struct ModalWorkflow {
        // Matched exactly against the workflows' names.
        QString workflowName;
        std::optional<SuccessAction> onSuccess;
        friend bool operator==(const ModalWorkflow&, const ModalWorkflow&) = default;
    };
    using Action = std::variant<SimpleTap, RemoteAction, ModalWorkflow>;

    // Each case converts to an action.
    // NOLINTBEGIN(google-explicit-constructor)
    DisplayItemButtonAction(SimpleTap tap) : m_action(std::move(tap)) {}
    DisplayItemButtonAction(RemoteAction action) : m_action(std::move(action)) {}
    DisplayItemButtonAction(ModalWorkflow workflow) : m_action(std::move(workflow)) {}
    // NOLINTEND(google-explicit-constructor)

    [[nodiscard]] const Action& action() const { return m_action; }
    // The action when it is of case T, else null.
    template <typename T>
    [[nodiscard]] const T* as() const {
        return std::get_if<T>(&m_action);
    }

    friend bool operator==(const DisplayItemButtonAction&,
                           const DisplayItemButtonAction&) = default;

private:
    Action m_action;
};

}  // namespace pathloom
