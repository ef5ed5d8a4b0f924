#pragma once

#include <functional>

namespace pathloom {

// Owns a piece of cancellable work: cancelling it, or dropping the handle, stops the work and
// guarantees that its completion does not run. Move-only; the cancel action runs at most once.
class Cancellable {
public:
    Cancellable() = default;
    explicit Cancellable(std::function<void()> cancelAction);
    Cancellable(Cancellable&& other) noexcept;
    Cancellable& operator=(Cancellable&& other) noexcept;
    Cancellable(const Cancellable&) = delete;
    Cancellable& operator=(const Cancellable&) = delete;
    ~Cancellable();

    void cancel();
    // Lets the work go on without this handle: dropping it no longer cancels anything. For work
    // that has already finished and only needs its handle discarded.
    void release();

private:
    std::function<void()> m_cancelAction;
};

}  // namespace pathloom
