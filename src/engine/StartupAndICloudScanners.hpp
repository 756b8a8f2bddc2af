#pragma once
// The launch agents of the user and of the computer, and the largest old
// iCloud Drive files whose local copy could be freed.

#include "engine/CleanerEngine.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/files/ICloudFileStatus.hpp"
#include "platform/places/HostTable.hpp"

#include <string>

namespace zentrel::engine {

struct ICloudScanLimits {
    std::size_t maxEntries = 3000;
    std::size_t maxItems = 50;
};

// Entries are named by their property list's "Label" or desktop entry's "Name".
[[nodiscard]] CleanerEngine::Items scanStartupItems(CleanerEngine& engine, const platform::HostTable& table);
[[nodiscard]] CleanerEngine::Items scanICloud(CleanerEngine& engine, const platform::HostTable& table,
                                              const platform::ICloudFileStatus& status, platform::Date now,
                                              const ICloudScanLimits& limits = {});

void registerStartupAndICloudScanners(CleanerEngine& engine, const platform::HostTable& table,
                                      const platform::ICloudFileStatus& status, const platform::Clock& clock);

}  // namespace zentrel::engine
