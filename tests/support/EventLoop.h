#pragma once

#include <functional>

namespace pathloom::test {

// Runs the main event loop until `done` holds or `timeoutMilliseconds` pass; whether it holds.
bool runUntil(const std::function<bool()>& done, int timeoutMilliseconds = 10'000);

}  // namespace pathloom::test
