#pragma once

#include "foundation/DispatchQueue.h"
#include "foundation/Error.h"
#include "loading/AppAssembly.h"
#include "loading/AppConfiguration.h"
#include "loading/AppConfigurationContext.h"
#include "loading/AppConfigurationManager.h"

#include <QTemporaryDir>
#include <expected>
#include <memory>

namespace pathloom::bench {

// A configuration manager as an app makes it, over per-user directories and a file key store of
// its own in a temporary directory, translating into French. load() runs a load to its end.
class LoadRig {
public:
    LoadRig();
    LoadRig(const LoadRig&) = delete;
    LoadRig& operator=(const LoadRig&) = delete;

    // Starts the load and waits for its completion, delivered on a queue of the rig's own.
    [[nodiscard]] std::expected<AppConfiguration, Error> load(
        const AppConfigurationContext& context);

    [[nodiscard]] AppConfigurationManager& manager() { return *m_manager; }
    // What the manager assembles with, for measuring the assembly alone.
    [[nodiscard]] AssemblyContext assemblyContext() const;
    [[nodiscard]] QString directory() const { return m_directory.path(); }

private:
    QTemporaryDir m_directory;
    std::unique_ptr<AppConfigurationManager> m_manager;
    std::shared_ptr<DispatchQueue> m_delivery;
};

}  // namespace pathloom::bench
