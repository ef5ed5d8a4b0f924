#pragma once

#include "foundation/Error.h"
#include "loading/AppConfigurationManager.h"

#include <expected>

namespace pathloom::test {

// Loads through `manager` on the main queue and runs the event loop until the load has ended
// (`timeoutMilliseconds` at most; then a failed expectation and a timed-out error).
std::expected<AppConfiguration, Error> load(AppConfigurationManager& manager,
                                            const AppConfigurationContext& context,
                                            int timeoutMilliseconds = 10'000);

}  // namespace pathloom::test
