#pragma once

#include "foundation/Cancellable.h"

#include <atomic>
#include <memory>

namespace pathloom {

// The flag that a piece of work shares with its handle: the handle raises it, and the work and its
// delivery look at it at the points where stopping is still possible. Copies share one flag.
// Thread-safe: the flag is atomic.
class CancellationToken {
public:
    CancellationToken() : m_flag(std::make_shared<std::atomic<bool>>(false)) {}

    [[nodiscard]] bool isCancelled() const { return m_flag->load(); }
    void cancel() const { m_flag->store(true); }

    // A handle that raises the flag when it is cancelled or dropped.
    [[nodiscard]] Cancellable handle() const {
        return Cancellable([flag = m_flag] { flag->store(true); });
    }

private:
    std::shared_ptr<std::atomic<bool>> m_flag;
};

}  // namespace pathloom
