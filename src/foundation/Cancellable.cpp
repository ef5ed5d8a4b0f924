#include "foundation/Cancellable.h"

#include <utility>

namespace pathloom {

Cancellable::Cancellable(std::function<void()> cancelAction)
    : m_cancelAction(std::move(cancelAction)) {}

Cancellable::Cancellable(Cancellable&& other) noexcept
    : m_cancelAction(std::exchange(other.m_cancelAction, nullptr)) {}

Cancellable& Cancellable::operator=(Cancellable&& other) noexcept {
    if (this != &other) {
        cancel();
        m_cancelAction = std::exchange(other.m_cancelAction, nullptr);
    }
    return *this;
}

Cancellable::~Cancellable() { cancel(); }

void Cancellable::cancel() {
    if (auto action = std::exchange(m_cancelAction, nullptr)) {
        action();
    }
}

void Cancellable::release() { m_cancelAction = nullptr; }

}  // namespace pathloom
