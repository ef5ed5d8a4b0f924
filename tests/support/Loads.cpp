#include "Loads.h"

#include "EventLoop.h"
#include "foundation/DispatchQueue.h"
#include "network/URLError.h"

#include <gtest/gtest.h>
#include <optional>

namespace pathloom::test {

std::expected<AppConfiguration, Error> load(AppConfigurationManager& manager,
                                            const AppConfigurationContext& context,
                                            int timeoutMilliseconds) {
    std::optional<std::expected<AppConfiguration, Error>> result;
    manager.loadAppConfiguration(
        context, DispatchQueue::main(),
        [&](std::expected<AppConfiguration, Error> loaded) { result = std::move(loaded); });
    EXPECT_TRUE(runUntil([&] { return result.has_value(); }, timeoutMilliseconds));
    return result.value_or(std::unexpected(URLError(URLError::timedOut)));
}

}  // namespace pathloom::test
