#pragma once
// The developer categories: Xcode's build folders, device symbols, simulators
// and archives; the download caches of package managers and SDKs, each judged
// by the safety classifier, and Docker's disk image; and the node_modules of
// JavaScript projects under the usual project folders, with advice to share
// them through pnpm.

#include "engine/CleanerEngine.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/places/HostTable.hpp"

#include <string>

namespace zentrel::engine {

struct DeveloperScanLimits {
    std::size_t maxEntries = 20'000;
    int maxDepth = 4;
    std::int64_t minNodeModulesBytes = 30'000'000;
    double staleSeconds = 2'592'000;
};

[[nodiscard]] CleanerEngine::Items scanXcode(CleanerEngine& engine, const platform::HostTable& table);
[[nodiscard]] CleanerEngine::Items scanDeviceSupport(CleanerEngine& engine, const std::string& folder);
[[nodiscard]] CleanerEngine::Items scanSimulators(CleanerEngine& engine, const std::string& folder);
// `now` decides recent use.
[[nodiscard]] CleanerEngine::Items scanDevTools(CleanerEngine& engine, const platform::HostTable& table,
                                                platform::Date now);
[[nodiscard]] CleanerEngine::Items scanDevProjects(CleanerEngine& engine, const std::string& home, platform::Date now,
                                                   const DeveloperScanLimits& limits = {});

// Registers the three scanners on the engine.
void registerDeveloperToolScanners(CleanerEngine& engine, const platform::HostTable& table,
                                   const platform::Clock& clock);

}  // namespace zentrel::engine
