#pragma once

#include "foundation/Cancellable.h"
#include "foundation/CancellationToken.h"
#include "foundation/DispatchQueue.h"

#include <functional>
#include <memory>
#include <utility>

// Work that runs on one queue and reports on another, unless its handle was cancelled first.
namespace pathloom {

// Runs `deliver` on `target`, unless `token` has been raised by the time it would run.
inline void deliverUnlessCancelled(const std::shared_ptr<DispatchQueue>& target,
                                   CancellationToken token, std::function<void()> deliver) {
    target->async([token = std::move(token), deliver = std::move(deliver)] {
        if (!token.isCancelled()) {
            deliver();
        }
    });
}

// Runs `work` on `queue` and hands its result to `completion` on `target`. Cancelling or dropping
// the handle before `work` starts means it never starts; before delivery, that `completion` never
// runs. `work` receives the token, to stop early where it can.
template <typename T>
[[nodiscard]] Cancellable runAndDeliver(const std::shared_ptr<DispatchQueue>& queue,
                                        std::function<T(const CancellationToken&)> work,
                                        std::shared_ptr<DispatchQueue> target,
                                        std::function<void(T)> completion) {
    CancellationToken token;
    queue->async([token, work = std::move(work), target = std::move(target),
                  completion = std::move(completion)] {
        if (token.isCancelled()) {
            return;
        }
        deliverUnlessCancelled(target, token,
                               [completion, result = work(token)] { completion(result); });
    });
    return token.handle();
}

}  // namespace pathloom
