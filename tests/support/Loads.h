#pragma once

#include "foundation/Error.h"
#include "loading/AppConfigurationManager.h"

#include <QTemporaryDir>
#include <expected>
#include <memory>

namespace pathloom::test {

// The parts of a test's manager: every folder under `dir`, the key store `keys`, the label "Test"
// and English; a new session. Tests set the other parts (the image loader, plug-ins) themselves.
[[nodiscard]] AppConfigurationManager::Sources managerSources(const QTemporaryDir& dir,
                                                              std::shared_ptr<KeyStore> keys);

// Loads through `manager` on the main queue and runs the event loop until the load has ended
// (`timeoutMilliseconds` at most; then a failed expectation and a timed-out error).
std::expected<AppConfiguration, Error> load(AppConfigurationManager& manager,
                                            const AppConfigurationContext& context,
                                            int timeoutMilliseconds = 10'000);

}  // namespace pathloom::test
